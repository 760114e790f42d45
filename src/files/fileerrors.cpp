#include "files/fileerrors.h"

#include "files/messagebundle.h"

namespace {

std::string withReason(const std::string& text, const std::filesystem::path& name,
                       const std::string& reason) {
    std::string message = text + " " + name.string();
    if (!reason.empty())
        message += ": " + reason;
    return message;
}

} // namespace

std::string openErrorText(const TMessageBundle& bundle, const std::filesystem::path& name,
                          const std::string& reason) {
    return withReason(bundle.text("open error"), name, reason);
}

std::string saveErrorText(const TMessageBundle& bundle, const std::filesystem::path& name,
                          const std::string& reason) {
    return withReason(bundle.text("save error"), name, reason);
}
