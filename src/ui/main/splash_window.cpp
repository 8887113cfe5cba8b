#include "ui/main/splash_window.h"

#include "common/version.h"
#include "ui/main/window_rules.h"

#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>

#include <vector>

namespace ixo {
namespace {

std::vector<std::string> VersionNumbers(std::string_view fileVersion) {
    std::vector<std::string> numbers(1);
    for (const char c : fileVersion) {
        if (c == '.') {
            numbers.emplace_back();
        } else {
            numbers.back() += c;
        }
    }
    while (numbers.size() < 4) {
        numbers.emplace_back("0");
    }
    return numbers;
}

// The file version of this build: the program's version and build number 0.
std::string FileVersion() {
    std::string version(ProgramVersion());
    std::size_t dots = 0;
    for (const char c : version) {
        dots += c == '.' ? 1 : 0;
    }
    for (; dots < 3; ++dots) {
        version += ".0";
    }
    return version;
}

} // namespace

std::string ShortVersion(std::string_view fileVersion) {
    const std::vector<std::string> n = VersionNumbers(fileVersion);
    if (n[1] != "0" || n[2] != "0") {
        return n[0] + "." + n[1] + "." + n[2];
    }
    return n[0] + "." + n[1];
}

std::string BuildNumber(std::string_view fileVersion) {
    return VersionNumbers(fileVersion)[3];
}

std::string VersionLabel(std::string_view fileVersion) {
    return "Version: " + ShortVersion(fileVersion) + " Build: " + BuildNumber(fileVersion);
}

std::string DateLabel(std::string_view date) {
    return "Date: " + std::string(date);
}

SplashWindow::SplashWindow(QWidget* parent, bool aboutMode)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog), m_aboutMode(aboutMode),
      m_version(QString::fromStdString(VersionLabel(FileVersion()))),
      m_date(QString::fromStdString(DateLabel(__DATE__))) {
    setFixedSize(420, 240);
    setWindowTitle(QString::fromStdString(std::string(kApplicationTitle)));
}

void SplashWindow::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    QLinearGradient sky(0, 0, 0, height());
    sky.setColorAt(0, QColor(20, 40, 90));
    sky.setColorAt(1, QColor(90, 140, 200));
    painter.fillRect(rect(), sky);
    painter.setRenderHint(QPainter::Antialiasing);
    // A dish aimed at the sky and a riser of outlets: what the program designs.
    painter.setPen(QPen(Qt::white, 3));
    painter.drawArc(QRect(40, 60, 90, 90), 30 * 16, 180 * 16);
    painter.drawLine(85, 105, 115, 75);
    painter.drawLine(85, 150, 85, 210);
    for (int y = 160; y <= 205; y += 15) {
        painter.drawRect(QRect(95, y - 4, 10, 8));
        painter.drawLine(85, y, 95, y);
    }
    QFont title = font();
    title.setPointSize(32);
    title.setBold(true);
    painter.setFont(title);
    painter.drawText(QRect(150, 50, 260, 60), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Ixo"));
    QFont small = font();
    small.setPointSize(10);
    painter.setFont(small);
    painter.drawText(QRect(150, 105, 260, 20), Qt::AlignLeft,
                     QStringLiteral("Building TV distribution networks"));
    painter.setPen(QColor(230, 30, 30));
    painter.drawText(QRect(150, 170, 260, 20), Qt::AlignLeft, m_version);
    painter.drawText(QRect(150, 192, 260, 20), Qt::AlignLeft, m_date);
}

void SplashWindow::mousePressEvent(QMouseEvent* /*event*/) {
    if (m_aboutMode) {
        reject();
    }
}

void SplashWindow::keyPressEvent(QKeyEvent* event) {
    if (!m_aboutMode) {
        return;
    }
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
    }
}

} // namespace ixo
