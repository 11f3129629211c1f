// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// The About window: its stored layout, the load handler that places it and writes the version
// line, and the link's handlers, which leave the hover and the opening to the link itself.
#include "frmAbout.h"

#include "fittext.h"
#include "layout.h"
#include "picture.h"
#include "tavlin_version.h"
#include "units.h"
#include "weblink.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QWindow>

#include <cmath>

namespace tavlin {

namespace {

using namespace layout;
using enum layout::Kind;

constexpr quint32 Black = 0x00000000;
constexpr quint32 ActiveBorder = 0x8000000A;

constexpr Form Window = {"frmAbout", "About Kelmar", 4935, 3870};

// clang-format off
constexpr Control Controls[] = {
//   kind        name              left   top  width height
    {Link,       "txtURL",         1200, 2880, 2415,  255,
     {.text = version::HomePage, .font = Font{.underline = true}, .back = ActiveBorder,
      .align = Qt::AlignCenter}},
    {PictureBox, "Picture1",        120, 1320, 4695, 1425,
     {.text = "Kelmar Solitaire banner", .picture = &Picture::banner}},
    {OkButton,   "cmdCancel",      1920, 3360,  975,  375, {.text = "OK"}},
    {Image,      "Image1",          240,  240,  480,  480,
     {.text = "The board at the start of a game", .picture = &Picture::boardIcon}},
    {Label,      "lblVersion",     1080,  840, 2775,  255, {.text = "Label1"}},
    {Label,      "lblDescription", 1080,  480, 3075,  330,
     {.text = "Written by Kelmar Games.", .color = Black}},
    {Label,      "lblTitle",       1080,  120, 3765,  480,
     {.text = "Kelmar Solitaire", .font = Font{.points = 12, .bold = true}, .color = Black}},
};
// clang-format on

} // namespace

frmAbout::frmAbout(const QWidget *mainWindow, MouseCapture *capture, UrlOpener *opener)
    : QDialog(nullptr, FixedWindowFrame)
{
    if (mainWindow) {
        m_mainFrame = mainWindow->frameGeometry();
        m_mainFrameExtra = m_mainFrame.size() - mainWindow->geometry().size();
    }
    // The layout's colours (black text, a blue link) are meant for a light window: on a dark
    // desktop the window keeps its style's light palette so that they stay readable.
    if (palette().color(QPalette::Window).lightness() < 128)
        setPalette(style()->standardPalette());
    build(this, Window, Controls);
    txtURL = findChild<WebLink *>(QStringLiteral("txtURL"));
    lblVersion = findChild<QLabel *>(QStringLiteral("lblVersion"));
    txtURL->useServices(capture, opener);
    connect(txtURL, &WebLink::MouseMove, this, &frmAbout::txtURL_MouseMove);
    connect(txtURL, &WebLink::Click, this, &frmAbout::txtURL_Click);
    connect(findChild<QPushButton *>(QStringLiteral("cmdCancel")), &QPushButton::clicked, this,
            &frmAbout::cmdCancel_Click);
    Form_Load();
}

QString frmAbout::homePage()
{
    return QString::fromLatin1(version::HomePage);
}

int frmAbout::centredPosition(double mainPosition, double mainSize, double ownSize)
{
    return int(std::floor((mainSize - ownSize) / 2.0) + mainPosition);
}

void frmAbout::Form_Load()
{
    placeOverMainWindow();
    lblVersion->setText(QStringLiteral("Version: %1.%2.%3")
                            .arg(version::Major)
                            .arg(version::Minor)
                            .arg(version::Revision));
    fitText(lblVersion);
}

void frmAbout::placeOverMainWindow()
{
    if (!m_mainFrame.isValid())
        return;
    // Until the window manager has framed the window, its frame is taken to be the main window's.
    const QSize own = isVisible() ? frameGeometry().size() : size() + m_mainFrameExtra;
    const auto centred = [](int mainPosition, int mainSize, int ownSize) {
        return twipsToPixels(centredPosition(pixelsToTwips(mainPosition), pixelsToTwips(mainSize),
                                             pixelsToTwips(ownSize)));
    };
    const QPoint topLeft(centred(m_mainFrame.x(), m_mainFrame.width(), own.width()),
                         centred(m_mainFrame.y(), m_mainFrame.height(), own.height()));
    // A dialog never moved is placed by Qt itself when shown.
    if (pos() != topLeft || !testAttribute(Qt::WA_Moved))
        move(topLeft);
}

void frmAbout::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_shownOnce || !windowHandle())
        return;
    m_shownOnce = true;
    // The frame the window manager gives the window is known once the window is exposed.
    windowHandle()->installEventFilter(this);
}

bool frmAbout::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == windowHandle() && event->type() == QEvent::Expose &&
        windowHandle()->isExposed()) {
        windowHandle()->removeEventFilter(this);
        placeOverMainWindow();
    }
    return QDialog::eventFilter(watched, event);
}

void frmAbout::Form_Unload()
{
    txtURL->unload();
}

void frmAbout::cmdCancel_Click()
{
    close();
}

void frmAbout::reject()
{
    close();
}

void frmAbout::closeEvent(QCloseEvent *event)
{
    // Not QDialog's handler: it sends the close box through reject(), which would close again
    // from inside the close and leave the window open.
    Form_Unload();
    event->accept();
}

void frmAbout::txtURL_MouseMove(int, int, double X, double Y)
{
    txtURL->hover(X, Y);
}

void frmAbout::txtURL_Click()
{
    txtURL->follow();
}

} // namespace tavlin
