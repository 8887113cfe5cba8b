#pragma once

// The splash window of the start-up, also the about box: the program's name, its version and build
// and the build date over a picture drawn by the program.
#include <QDialog>

#include <string>
#include <string_view>

namespace ixo {

// The version texts: the short version of a four-number file version a.b.c.d is a.b.c when b or c is
// not 0, else a.b; "Version: <short> Build: <d>" and "Date: <date>".
std::string ShortVersion(std::string_view fileVersion);
std::string BuildNumber(std::string_view fileVersion);
std::string VersionLabel(std::string_view fileVersion);
std::string DateLabel(std::string_view date);

class SplashWindow : public QDialog {
public:
    // aboutMode: a click on the picture closes it, Escape or Enter closes it with OK; otherwise (the
    // start-up) clicks and keys are ignored.
    SplashWindow(QWidget* parent, bool aboutMode);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool m_aboutMode;
    QString m_version;
    QString m_date;
};

} // namespace ixo
