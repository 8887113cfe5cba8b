#pragma once

// The status window of a report being generated: the report's name as caption, the item being done, a
// partial gauge (the items of the current stage) and an overall one (the stages), and Cancel. It is the
// reports' ReportProgress, so the report steps it directly; pending events are processed a few times a
// second so that the window paints and Cancel is heard.
#include "reports/report_progress.h"
#include "ui/project/progress_model.h"

#include <QDialog>
#include <QElapsedTimer>

class QLabel;
class QProgressBar;
class QPushButton;

namespace ixo {

class ReportProgressWindow : public QDialog, public ReportProgress {
public:
    explicit ReportProgressWindow(QWidget* parent);

    void SetCaption(std::string_view caption) override;
    void SetMaximum(int steps) override;
    void SetPosition(int step) override;
    void Step() override;
    bool CancelRequested() const override { return m_cancelled; }

    void SetPartialMaximum(int items) override;
    void SetPartialPosition(int item) override;
    void SetCurrentItem(std::string_view item) override;

    const ProgressModel& Total() const { return m_total; }
    const ProgressModel& Partial() const { return m_partial; }
    QString CurrentItem() const;
    // The Cancel button, as the user presses it.
    void RequestCancel() { m_cancelled = true; }

private:
    void Show(bool force);

    ProgressModel m_total;
    ProgressModel m_partial;
    QLabel* m_item = nullptr;
    QProgressBar* m_partialBar = nullptr;
    QProgressBar* m_totalBar = nullptr;
    QElapsedTimer m_sinceEvents;
    bool m_cancelled = false;
};

} // namespace ixo
