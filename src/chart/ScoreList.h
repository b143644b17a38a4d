#pragma once

#include "base/Style.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace zelvane {

class CScore;
class CStepDocument;

// The scores of a document, in the order they were made, and which one the user edits. Each
// score knows its document, so the list makes its scores for the document that owns it.
class CScoreList {
public:
    using Scores = std::vector<std::unique_ptr<CScore>>;

    explicit CScoreList(CStepDocument* document);
    ~CScoreList();
    CScoreList(const CScoreList&) = delete;
    CScoreList& operator=(const CScoreList&) = delete;

    Scores::const_iterator begin() const { return m_scores.begin(); }
    Scores::const_iterator end() const { return m_scores.end(); }
    std::size_t size() const { return m_scores.size(); }
    bool empty() const { return m_scores.empty(); }
    const std::unique_ptr<CScore>& front() const { return m_scores.front(); }
    const std::unique_ptr<CScore>& operator[](std::size_t i) const { return m_scores[i]; }

    CScore* Find(Style style, const std::string& difficulty) const;
    CScore* FindOrCreate(Style style, const std::string& difficulty);
    // Takes a score made for this list's document, at the end.
    void Append(std::unique_ptr<CScore> score);
    // Deletes one score (stopping its dancers); the current score moves to the first.
    // InvalidArgumentError for a score that is not in the list.
    void Delete(CScore* score);
    // Stops every dancer and deletes every score; there is no current score.
    void DeleteAll();
    // Every score measures its length anew and dances from its start.
    void UpdateAll();
    // Waits until every dancer of every score is done.
    void WaitAll();

    CScore* current() const { return m_current; }
    void SetCurrent(CScore* score) { m_current = score; }

private:
    CStepDocument* m_document;
    Scores m_scores;
    CScore* m_current = nullptr;
};

} // namespace zelvane
