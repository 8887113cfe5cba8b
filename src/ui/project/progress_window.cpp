#include "ui/project/progress_window.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace ixo {
namespace {

// Events are processed at most this often while an operation steps the bar.
constexpr qint64 kEventIntervalMs = 50;

} // namespace

ProgressWindow::ProgressWindow(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Progress"), this));
    m_bar = new QProgressBar(this);
    m_bar->setMinimumWidth(320);
    layout->addWidget(m_bar);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    layout->addWidget(m_cancel, 0, Qt::AlignRight);
    connect(m_cancel, &QPushButton::clicked, this, [this] { RequestCancel(); });
    m_sinceEvents.start();
    ShowPosition(true);
}

void ProgressWindow::SetCaption(std::string_view caption) {
    setWindowTitle(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
    ShowPosition(true);
}

void ProgressWindow::SetMin(int n) {
    m_model.SetMin(n);
    ShowPosition(true);
}

void ProgressWindow::SetMaximum(int steps) {
    m_model.SetMax(steps);
    ShowPosition(true);
}

void ProgressWindow::SetPosition(int step) {
    m_model.SetPosition(step);
    ShowPosition(false);
}

void ProgressWindow::Step() {
    m_model.Step(-1);
    ShowPosition(false);
}

void ProgressWindow::ShowPosition(bool force) {
    m_bar->setRange(m_model.Minimum(), m_model.Maximum());
    m_bar->setValue(m_model.Position());
    if (isVisible() && (force || m_sinceEvents.elapsed() >= kEventIntervalMs)) {
        m_sinceEvents.restart();
        QApplication::processEvents();
    }
}

} // namespace ixo
