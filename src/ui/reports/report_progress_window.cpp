#include "ui/reports/report_progress_window.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace ixo {
namespace {

// Events are processed at most this often while the report steps the gauges.
constexpr qint64 kEventIntervalMs = 50;

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QProgressBar* Bar(QWidget* parent) {
    auto* bar = new QProgressBar(parent);
    bar->setMinimumWidth(360);
    return bar;
}

} // namespace

ReportProgressWindow::ReportProgressWindow(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    m_item = new QLabel(this);
    layout->addWidget(m_item);
    m_partialBar = Bar(this);
    layout->addWidget(m_partialBar);
    layout->addWidget(new QLabel(QStringLiteral("Total"), this));
    m_totalBar = Bar(this);
    layout->addWidget(m_totalBar);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    layout->addWidget(cancel, 0, Qt::AlignRight);
    connect(cancel, &QPushButton::clicked, this, [this] { RequestCancel(); });
    m_total.SetMin(0);
    m_partial.SetMin(0);
    m_sinceEvents.start();
    Show(true);
}

QString ReportProgressWindow::CurrentItem() const {
    return m_item->text();
}

void ReportProgressWindow::SetCaption(std::string_view caption) {
    setWindowTitle(Text(caption));
    Show(true);
}

void ReportProgressWindow::SetMaximum(int steps) {
    m_total.SetMax(steps);
    Show(true);
}

void ReportProgressWindow::SetPosition(int step) {
    m_total.SetPosition(step);
    Show(false);
}

void ReportProgressWindow::Step() {
    m_total.Step(-1);
    Show(false);
}

void ReportProgressWindow::SetPartialMaximum(int items) {
    m_partial.SetMax(items);
    m_partial.SetPosition(0);
    Show(true);
}

void ReportProgressWindow::SetPartialPosition(int item) {
    m_partial.SetPosition(item);
    Show(false);
}

void ReportProgressWindow::SetCurrentItem(std::string_view item) {
    m_item->setText(Text(item));
    Show(false);
}

void ReportProgressWindow::Show(bool force) {
    m_partialBar->setRange(m_partial.Minimum(), m_partial.Maximum());
    m_partialBar->setValue(m_partial.Position());
    m_totalBar->setRange(m_total.Minimum(), m_total.Maximum());
    m_totalBar->setValue(m_total.Position());
    if (isVisible() && (force || m_sinceEvents.elapsed() >= kEventIntervalMs)) {
        m_sinceEvents.restart();
        QApplication::processEvents();
    }
}

} // namespace ixo
