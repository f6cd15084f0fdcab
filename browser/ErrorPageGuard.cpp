#include "ErrorPageGuard.h"

bool CErrorPageGuard::OnLoadRequested() noexcept
{
    if (m_reportingAnswerFailure) {
        return false;
    }
    m_answerRequested = m_reporting;
    return true;
}

void CErrorPageGuard::OnLoadStarted() noexcept
{
    m_loadIsAnswer = m_answerRequested;
    m_answerRequested = false;
}

void CErrorPageGuard::BeginErrorReport() noexcept
{
    m_reporting = true;
    m_reportingAnswerFailure = m_loadIsAnswer;
}

void CErrorPageGuard::EndErrorReport() noexcept
{
    m_reporting = false;
    m_reportingAnswerFailure = false;
}
