#include "files/xmlinput.h"

#include <pugixml.hpp>

#include <cerrno>
#include <charconv>
#include <system_error>

#if defined(_WIN32)
#include <fstream>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

std::optional<std::string> parseDocument(pugi::xml_document& document, std::string_view text) {
    // Fragment parsing keeps text that stands beside the document element, so that trailing
    // content is seen and refused instead of silently dropped.
    constexpr unsigned options = pugi::parse_default | pugi::parse_fragment;
    const pugi::xml_parse_result result = document.load_buffer(text.data(), text.size(), options);
    if (!result)
        return std::string("malformed XML at offset ") + std::to_string(result.offset) + ": " +
               result.description();

    int elements = 0;
    for (const pugi::xml_node node : document.children()) {
        switch (node.type()) {
        case pugi::node_element:
            ++elements;
            break;
        case pugi::node_pcdata:
        case pugi::node_cdata:
            return std::string("text outside the document element");
        default:
            break;
        }
    }
    if (elements == 0)
        return std::string("no document element");
    if (elements > 1)
        return std::string("content after the document element");
    return std::nullopt;
}

namespace {

std::string sizeText(std::uintmax_t bytes) {
    constexpr std::uintmax_t megabyte = 1024 * 1024;
    if (bytes >= megabyte && bytes % megabyte == 0)
        return std::to_string(bytes / megabyte) + " MB";
    return std::to_string(bytes) + " bytes";
}

std::string tooLarge(std::uintmax_t maxBytes) {
    return "it is larger than " + sizeText(maxBytes);
}

std::string systemReason(int error) {
    return std::generic_category().message(error);
}

} // namespace

#if defined(_WIN32)

std::optional<std::string> readRegularFile(const std::filesystem::path& path, std::string& text,
                                           std::uintmax_t maxBytes) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (error)
        return error.message();
    if (!std::filesystem::is_regular_file(status))
        return std::string("it is not a regular file");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::string("it cannot be opened for reading");
    text.clear();
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        text.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (text.size() > maxBytes)
            return tooLarge(maxBytes);
    }
    if (in.bad())
        return std::string("it cannot be read");
    return std::nullopt;
}

#else

std::optional<std::string> readRegularFile(const std::filesystem::path& path, std::string& text,
                                           std::uintmax_t maxBytes) {
    // Without O_NONBLOCK, opening a named pipe waits until something writes into it.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return systemReason(errno);
    struct TCloser {
        int descriptor;
        ~TCloser() { ::close(descriptor); }
    } closer{descriptor};

    struct stat status {};
    if (::fstat(descriptor, &status) != 0)
        return systemReason(errno);
    if (S_ISDIR(status.st_mode))
        return std::string("it is a folder");
    if (!S_ISREG(status.st_mode))
        return std::string("it is not a regular file");
    if (static_cast<std::uintmax_t>(status.st_size) > maxBytes)
        return tooLarge(maxBytes);

    text.clear();
    text.reserve(static_cast<std::size_t>(status.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t count = ::read(descriptor, buffer, sizeof buffer);
        if (count == 0)
            break;
        if (count < 0) {
            if (errno == EINTR)
                continue;
            return systemReason(errno);
        }
        text.append(buffer, static_cast<std::size_t>(count));
        // The file may grow while it is read.
        if (text.size() > maxBytes)
            return tooLarge(maxBytes);
    }
    return std::nullopt;
}

#endif

std::optional<int> parseDecimal(std::string_view text) {
    const char* first = text.data();
    const char* last = first + text.size();
    int value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last)
        return std::nullopt;
    return value;
}
