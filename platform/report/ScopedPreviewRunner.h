#pragma once

#include "platform/report/ReportOutput.h"

namespace report {

// Puts a preview runner in place for its lifetime and restores the one before.
class ScopedPreviewRunner
{
public:
    explicit ScopedPreviewRunner(ReportOutput::PreviewRunner runner)
        : m_previous(ReportOutput::setPreviewRunner(std::move(runner)))
    {
    }
    ~ScopedPreviewRunner() { ReportOutput::setPreviewRunner(std::move(m_previous)); }
    ScopedPreviewRunner(const ScopedPreviewRunner&) = delete;
    ScopedPreviewRunner& operator=(const ScopedPreviewRunner&) = delete;

private:
    ReportOutput::PreviewRunner m_previous;
};

} // namespace report
