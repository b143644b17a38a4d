#include "chart/ViewState.h"

namespace zelvane {

bool CViewState::ZoomIn()
{
    if (!CanZoomIn())
        return false;
    --m_zoomIndex;
    return true;
}

bool CViewState::ZoomOut()
{
    if (!CanZoomOut())
        return false;
    ++m_zoomIndex;
    return true;
}

void CViewState::StartOver()
{
    m_currentTime = 0;
    m_zoomIndex = kDefaultZoomIndex;
}

} // namespace zelvane
