#include "chart/ScoreList.h"

#include "chart/Score.h"
#include "text/Errors.h"
#include "text/StringTable.h"

#include <algorithm>

namespace zelvane {

CScoreList::CScoreList(CStepDocument* document)
    : m_document(document)
{
}

CScoreList::~CScoreList()
{
    DeleteAll();
}

CScore* CScoreList::Find(Style style, const std::string& difficulty) const
{
    for (const auto& score : m_scores)
        if (score->style() == style && score->difficulty() == difficulty)
            return score.get();
    return nullptr;
}

CScore* CScoreList::FindOrCreate(Style style, const std::string& difficulty)
{
    if (CScore* score = Find(style, difficulty))
        return score;
    m_scores.push_back(std::make_unique<CScore>(m_document, style, difficulty));
    return m_scores.back().get();
}

void CScoreList::Append(std::unique_ptr<CScore> score)
{
    m_scores.push_back(std::move(score));
}

void CScoreList::Delete(CScore* score)
{
    auto it = std::find_if(m_scores.begin(), m_scores.end(),
                           [score](const auto& owned) { return owned.get() == score; });
    if (it == m_scores.end())
        throw InvalidArgumentError(Reason(IDS_REASON_SCORE_NOT_IN_DOCUMENT));
    (*it)->StopPlayers();
    m_scores.erase(it);
    if (m_current == score)
        m_current = m_scores.empty() ? nullptr : m_scores.front().get();
}

void CScoreList::DeleteAll()
{
    for (auto& score : m_scores)
        score->StopPlayers();
    m_scores.clear();
    m_current = nullptr;
}

void CScoreList::UpdateAll()
{
    for (auto& score : m_scores)
        score->UpdateLength(0);
}

void CScoreList::WaitAll()
{
    for (auto& score : m_scores)
        score->WaitPlayers();
}

} // namespace zelvane
