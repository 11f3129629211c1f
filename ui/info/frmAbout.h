// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// The About window: title, version line, banner and a web link to the maker's home page that
// turns red under the pointer and opens in the browser when clicked. It centres itself over the
// main window when it loads and is deleted when it closes.
#pragma once

#include <QDialog>
#include <QRect>
#include <QString>

class QCloseEvent;
class QLabel;
class QShowEvent;

namespace tavlin {

class MouseCapture;
class UrlOpener;
class WebLink;

class frmAbout : public QDialog {
    Q_OBJECT
public:
    // Only mainWindow's outer geometry is read, once, to centre over it. A null capture or
    // opener means the desktop's own.
    explicit frmAbout(const QWidget *mainWindow, MouseCapture *capture = nullptr,
                      UrlOpener *opener = nullptr);

    // The link's address.
    static QString homePage();

    // Where a window of ownSize starts when centred over one at mainPosition of mainSize, along
    // one axis, all in twips: halves round towards minus infinity.
    static int centredPosition(double mainPosition, double mainSize, double ownSize);

    // Esc lands here. QDialog's own would hide the window without a close event, so the
    // unload handler would not run; this unloads it like the OK button.
    void reject() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void Form_Load();
    void Form_Unload();
    void cmdCancel_Click();
    // Every mouse move the link reports; X and Y in twips from its top-left corner.
    void txtURL_MouseMove(int Button, int Shift, double X, double Y);
    void txtURL_Click();

    // Centres the window's frame over the main window's as it was at load.
    void placeOverMainWindow();

    WebLink *txtURL = nullptr;
    QLabel *lblVersion = nullptr;

    bool m_shownOnce = false;
    // The main window's outer geometry at load, and its frame's extra width and height.
    QRect m_mainFrame;
    QSize m_mainFrameExtra;
};

} // namespace tavlin
