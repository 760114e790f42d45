#include "model/geometry.h"

TPoint fitOnScreen(int left, int top, int width, int height, int screenWidth, int screenHeight) {
    if (left < 0)
        left = 0;
    else if (left + width > screenWidth)
        left = screenWidth - width;
    if (top < 0)
        top = 0;
    else if (top + height > screenHeight - TASK_BAR_HEIGHT)
        top = screenHeight - TASK_BAR_HEIGHT - height;
    return {left, top};
}

int gcd(int a, int b) {
    while (b != 0) {
        const int r = a % b;
        a = b;
        b = r;
    }
    return a < 0 ? -a : a;
}

int gcd(const std::vector<int>& values) {
    if (values.empty())
        return 0;
    int result = values.front();
    for (std::size_t i = 1; i < values.size(); ++i)
        result = gcd(result, values[i]);
    return result;
}
