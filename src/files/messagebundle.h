#pragma once

#include <functional>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// One row of a bundle's text table.
struct TBundleText {
    std::string_view key;
    std::string_view text;
};

// Every text the system shows in its panels, hints, messages and lists, looked up by a short
// English key; plus ordered lists of texts for combo boxes. A bundle is filled completely by
// its constructor and never changes afterwards. Keys match exactly and case-sensitively.
class TMessageBundle {
public:
    using TextTable = std::map<std::string, std::string, std::less<>>;
    using ListTable = std::map<std::string, std::vector<std::string>, std::less<>>;

    virtual ~TMessageBundle() = default;

    // The text under `key`, or the empty text when the bundle has none.
    const std::string& text(std::string_view key) const;
    // The list under `key`, or an empty list when the bundle has none.
    const std::vector<std::string>& list(std::string_view key) const;

    const TextTable& textTable() const { return texts; }
    const ListTable& listTable() const { return lists; }

protected:
    TMessageBundle() = default;

    // A key that is already present keeps its first entry; later ones are dropped.
    void addText(std::string_view key, std::string_view value);
    void addTexts(std::span<const TBundleText> rows);
    void addList(std::string_view key, std::vector<std::string> entries);

private:
    TextTable texts;
    ListTable lists;
    std::string missing;
};
