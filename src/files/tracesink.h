#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

// Where the variant view writes the pointer path of each choice: a document element
// "DYNAMIC_HELP" opened at open, one "MOVE" line per pointer position, closed at close.
class TTraceSink {
public:
    virtual ~TTraceSink() = default;
    virtual void write(std::string_view line) = 0;
};

// Discards everything.
class TNullTraceSink : public TTraceSink {
public:
    void write(std::string_view) override {}
};

// Collects the lines of one choice and, when the document is closed, replaces the file with
// it, so the file always holds the last whole choice. A file that cannot be written is left
// as it was; recording is a by-product and never stops a choice.
class TFileTraceSink : public TTraceSink {
public:
    explicit TFileTraceSink(std::filesystem::path path) : path_(std::move(path)) {}
    void write(std::string_view line) override;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
    std::string document_;
};

// The sink the environment asks for: a file sink when TONARIA_RECORD_PATH names a file,
// otherwise the null sink.
std::unique_ptr<TTraceSink> traceSinkFromEnvironment();

// The trace lines.
std::string traceOpenLine();
std::string traceMoveLine(int x, int y);
std::string traceCloseLine();
