// The words of a result's folder and file names: how a relative path splits into words, the
// sorted word list with its counts, the rows the word pane lists for the keyword bar's
// settings, and the records a chosen word shows, alone or gathered with the ticked words'.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "search/FileList.h"
#include "search/SharedLists.h"

namespace pv {

// Splitting modes: 0 cuts folders and names into keywords, 1 keeps every folder and every
// name (without its extension) whole.
inline constexpr int32_t kWordModeKeywords = 0;
inline constexpr int32_t kWordModeNames = 1;

// Which words the pane lists: those met in file names, in folder names, all of them, or the
// words from a typed keyword on.
inline constexpr int32_t kTakeFiles = 0;
inline constexpr int32_t kTakeFolders = 1;
inline constexpr int32_t kTakeBoth = 2;
inline constexpr int32_t kTakeTyped = 4;

struct PathWords {
    std::vector<std::string> folder;
    std::vector<std::string> name;
};

// The words of `relativePath` in `mode`; the extension is never a word.
PathWords SplitPathWords(std::string_view relativePath, int32_t mode);

struct WordEntry {
    std::string text;  // spelled as first met
    int32_t fileNameCount = 0;
    int32_t folderNameCount = 0;
    int32_t totalCount = 0;
    int32_t listIndex = -1;  // entry k: the word of row k under a file/folder filter
    int32_t accumulated = 0;
};

// The distinct words (compared without case) of a list's paths, in locale order.
std::vector<WordEntry> BuildWordList(const FileList& list, int32_t mode);

// The count text after a build: `listed` words under `take` and `mode`.
std::string WordCountText(int32_t take, int32_t mode, int32_t listed);

// One frame's keyword search: the keyword bar's settings, the word list and its rows, the
// ticked words. The records it touches are the shared lists', handed in locked.
class KeywordSearch {
public:
    [[nodiscard]] int32_t Mode() const { return mode_; }

    [[nodiscard]] int32_t Take() const { return take_; }

    [[nodiscard]] const std::vector<WordEntry>& Words() const { return words_; }

    [[nodiscard]] int32_t AccumulatedWords() const { return accumulatedWords_; }

    // Button 240..244 stores its setting (the other group's unset one gets its default).
    void PressButton(int32_t button);
    // True when the list must be (re)built: the mode differs from the last build's, or the
    // root changed since.
    [[nodiscard]] bool NeedsBuild(const ListsState& lists) const;
    // Rebuilds the words from ResultList; no word is ticked in the new list.
    void Build(const ListsState& lists);
    // The rows for the current "take" setting; returns their number.
    int32_t FilterRows();
    // A typed keyword: false when nothing is to be done (empty text while listing all
    // words). Otherwise the rows start at the first word that, cut to the typed length,
    // is not below the text (case ignored), and list every word after it.
    bool TypeKeyword(std::string_view typed);

    [[nodiscard]] int32_t RowCount() const { return rowCount_; }

    // The word of pane row `row`, or -1.
    [[nodiscard]] int32_t RowWord(int32_t row) const;

    // The pane's click on word `word`: on its check box it ticks or unticks it, on its text
    // it previews its matches at the front of the accumulator. Returns false for a word the
    // list does not hold (or built under another root); the shown list is then unchanged.
    bool ChooseWord(ListsState& lists, int32_t word, bool onCheckBox);
    // Empties the accumulator and unticks every word; false when it was empty already.
    bool ClearAccumulator(ListsState& lists);

private:
    void CollectMatches(ListsState& lists, const std::string& word) const;
    void TakeOut(ListsState& lists);

    int32_t mode_ = -1;
    int32_t take_ = -1;
    int32_t builtMode_ = -1;
    uint32_t builtGeneration_ = 0;
    std::vector<WordEntry> words_;
    int32_t rowCount_ = 0;
    int32_t typedFirst_ = 0;
    bool typed_ = false;
    int32_t accumulatedWords_ = 0;
};

}  // namespace pv
