#include "reports/report_progress.h"

namespace ixo {

ReportProgress& NoReportProgress() {
    static ReportProgress none;
    return none;
}

} // namespace ixo
