#include "files/messagebundle.h"

#include <utility>

const std::string& TMessageBundle::text(std::string_view key) const {
    const auto found = texts.find(key);
    return found == texts.end() ? missing : found->second;
}

const std::vector<std::string>& TMessageBundle::list(std::string_view key) const {
    static const std::vector<std::string> noList;
    const auto found = lists.find(key);
    return found == lists.end() ? noList : found->second;
}

void TMessageBundle::addText(std::string_view key, std::string_view value) {
    if (texts.find(key) == texts.end()) {
        texts.emplace(key, value);
    }
}

void TMessageBundle::addTexts(std::span<const TBundleText> rows) {
    for (const TBundleText& row : rows) {
        addText(row.key, row.text);
    }
}

void TMessageBundle::addList(std::string_view key, std::vector<std::string> entries) {
    if (lists.find(key) == lists.end()) {
        lists.emplace(key, std::move(entries));
    }
}
