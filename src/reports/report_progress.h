#pragma once

#include "common/progress.h"

#include <string_view>

namespace ixo {

// The progress of a report: the total gauge is the Progress's steps (one per stage of the report), the
// partial gauge counts the items of the current stage (elements counted, outlet tables, amplifiers) and
// the current item names what is being done. Cancelling is the Progress's CancelRequested.
class ReportProgress : public Progress {
public:
    virtual void SetPartialMaximum(int /*items*/) {}
    virtual void SetPartialPosition(int /*item*/) {}
    virtual void SetCurrentItem(std::string_view /*item*/) {}
};

// A report progress that shows nothing and never cancels.
ReportProgress& NoReportProgress();

} // namespace ixo
