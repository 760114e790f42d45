#include "model/random.h"

TRandomGenerator& processRandom() {
    static TRandomGenerator generator;
    return generator;
}
