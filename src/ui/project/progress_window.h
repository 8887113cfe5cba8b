#pragma once

// The progress window of long operations (building a new installation, drawing, saving an image): a
// caption, the label "Progress", one bar and Cancel. It is the core's Progress, so the builder and the
// exporter step it directly; pending events are processed a few times a second so that the window
// paints and Cancel is heard without slowing the work down.
#include "common/progress.h"
#include "ui/project/progress_model.h"

#include <QDialog>
#include <QElapsedTimer>

class QLabel;
class QProgressBar;
class QPushButton;

namespace ixo {

class ProgressWindow : public QDialog, public Progress {
public:
    explicit ProgressWindow(QWidget* parent);

    void SetCaption(std::string_view caption) override;
    void SetMaximum(int steps) override;
    void SetPosition(int step) override;
    void Step() override;
    bool CancelRequested() const override { return m_cancelled; }

    void SetMin(int n);
    const ProgressModel& Model() const { return m_model; }
    // The Cancel button, as the user presses it.
    void RequestCancel() { m_cancelled = true; }

private:
    void ShowPosition(bool force);

    ProgressModel m_model;
    QProgressBar* m_bar = nullptr;
    QPushButton* m_cancel = nullptr;
    QElapsedTimer m_sinceEvents;
    bool m_cancelled = false;
};

} // namespace ixo
