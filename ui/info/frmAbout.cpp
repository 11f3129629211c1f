// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// The About window: the constructor builds the stored layout and runs the load handler; the
// link's hover and click handlers follow the window's state table for the link.
#include "frmAbout.h"

#include "fittext.h"
#include "mousecapture.h"
#include "picture.h"
#include "tavlin_version.h"
#include "units.h"
#include "urlopener.h"

#include <QCloseEvent>
#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QWindow>

#include <cmath>

namespace tavlin {

namespace {

constexpr quint32 LinkBlue = 0x00FF0000;
constexpr quint32 LinkRed = 0x000000FF;
constexpr quint32 Black = 0x00000000;
constexpr quint32 ActiveBorder = 0x8000000A;

QLabel *makeLabel(QWidget *parent, const QString &name, const QRect &geometry)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    // Labels draw from their top edge and paint no background, so lblTitle's box, which
    // overlaps lblDescription's, cannot hide its text.
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setAutoFillBackground(false);
    return label;
}

void setTextColor(QWidget *w, QPalette::ColorRole role, quint32 bgr)
{
    QPalette palette = w->palette();
    palette.setColor(role, colorFromBgr(bgr, palette));
    w->setPalette(palette);
}

} // namespace

frmAbout::frmAbout(const QWidget *mainWindow, MouseCapture *capture, UrlOpener *opener)
    : QDialog(nullptr, FixedWindowFrame)
{
    if (!capture) {
        m_ownCapture = std::make_unique<WidgetMouseCapture>();
        capture = m_ownCapture.get();
    }
    if (!opener) {
        m_ownOpener = std::make_unique<DesktopUrlOpener>();
        opener = m_ownOpener.get();
    }
    m_capture = capture;
    m_opener = opener;
    if (mainWindow) {
        m_mainFrame = mainWindow->frameGeometry();
        m_mainFrameExtra = m_mainFrame.size() - mainWindow->geometry().size();
    }

    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The layout's colours (black text, a blue link) are meant for a light window: on a dark
    // desktop the window keeps its style's light palette so that they stay readable.
    if (palette().color(QPalette::Window).lightness() < 128)
        setPalette(style()->standardPalette());
    setWindowTitle(QStringLiteral("About Kelmar"));
    // The boxes below were measured for this face and size.
    setFont(layoutFont(8.25, false));
    setFixedSize(twipsToPixels(4935), twipsToPixels(3870));

    txtURL = new QLineEdit(homePage(), this);
    txtURL->setObjectName(QStringLiteral("txtURL"));
    txtURL->setGeometry(twipsRect(1200, 2880, 2415, 255));
    txtURL->setReadOnly(true);
    txtURL->setFrame(false);
    txtURL->setAlignment(Qt::AlignCenter);
    QFont linkFont = layoutFont(8.25, false);
    linkFont.setUnderline(true);
    txtURL->setFont(linkFont);
    fitText(txtURL);
    QPalette linkPalette = txtURL->palette();
    linkPalette.setColor(QPalette::Base, colorFromBgr(ActiveBorder, linkPalette));
    linkPalette.setColor(QPalette::Window, colorFromBgr(ActiveBorder, linkPalette));
    txtURL->setPalette(linkPalette);
    setLinkColor(LinkBlue);
    txtURL->setFocusPolicy(Qt::NoFocus);
    txtURL->setMouseTracking(true);
    // A text box's own pointer until the pointer first enters the link; read-only line edits
    // would otherwise show the arrow from the start.
    txtURL->setCursor(Qt::IBeamCursor);
    txtURL->installEventFilter(this);

    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(twipsRect(120, 1320, 4695, 1425));
    Picture1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Picture1->setLineWidth(2);
    Picture1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Picture1->setPixmap(Picture::banner().pixmap(devicePixelRatioF()));
    Picture1->setAccessibleName(tr("Kelmar Solitaire banner"));
    // A picture box is a tab stop in the stored layout.
    Picture1->setFocusPolicy(Qt::StrongFocus);

    cmdCancel = new QPushButton(QStringLiteral("OK"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setGeometry(twipsRect(1920, 3360, 975, 375));
    cmdCancel->setDefault(true);
    fitText(cmdCancel);
    connect(cmdCancel, &QPushButton::clicked, this, &frmAbout::cmdCancel_Click);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(twipsRect(240, 240, 480, 480));
    Image1->setPixmap(Picture::boardIcon().pixmap(devicePixelRatioF()));
    Image1->setAccessibleName(tr("The board at the start of a game"));

    lblVersion = makeLabel(this, QStringLiteral("lblVersion"), twipsRect(1080, 840, 2775, 255));
    lblVersion->setText(QStringLiteral("Label1"));

    lblDescription =
        makeLabel(this, QStringLiteral("lblDescription"), twipsRect(1080, 480, 3075, 330));
    lblDescription->setText(QStringLiteral("Written by Kelmar Games."));
    setTextColor(lblDescription, QPalette::WindowText, Black);
    fitText(lblDescription);

    lblTitle = makeLabel(this, QStringLiteral("lblTitle"), twipsRect(1080, 120, 3765, 480));
    lblTitle->setText(QStringLiteral("Kelmar Solitaire"));
    setTextColor(lblTitle, QPalette::WindowText, Black);
    lblTitle->setFont(layoutFont(12, true));
    fitText(lblTitle);

    setTabOrder(cmdCancel, Picture1);
    cmdCancel->setFocus();

    Form_Load();
}

frmAbout::~frmAbout() = default;

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
    LinkHover = false;
    if (m_mainFrame.isValid()) {
        // The window has no frame yet; until the window manager gives it one, assume the same
        // frame as the main window's.
        const QPoint topLeft = placement(size() + m_mainFrameExtra);
        // Left before top, each a move of its own, so anything watching sees them in that order.
        move(topLeft.x(), pos().y());
        move(topLeft);
    }
    lblVersion->setText(QStringLiteral("Version: ") + QString::number(version::Major) +
                        QStringLiteral(".") + QString::number(version::Minor) +
                        QStringLiteral(".") + QString::number(version::Revision));
    fitText(lblVersion);
}

QPoint frmAbout::placement(QSize ownOuterSize) const
{
    const int left =
        centredPosition(pixelsToTwips(m_mainFrame.x()), pixelsToTwips(m_mainFrame.width()),
                        pixelsToTwips(ownOuterSize.width()));
    const int top =
        centredPosition(pixelsToTwips(m_mainFrame.y()), pixelsToTwips(m_mainFrame.height()),
                        pixelsToTwips(ownOuterSize.height()));
    return {twipsToPixels(left), twipsToPixels(top)};
}

void frmAbout::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_shownOnce || !m_mainFrame.isValid() || !windowHandle()) {
        return;
    }
    m_shownOnce = true;
    // The frame the window manager gives the window is known once the window is exposed.
    windowHandle()->installEventFilter(this);
}

void frmAbout::recentre()
{
    // Where the true frame differs from the estimate made at load, centre on the true one.
    const QRect frame = frameGeometry();
    const QPoint topLeft = placement(frame.size());
    if (frame.topLeft() != topLeft) {
        move(topLeft);
    }
}

void frmAbout::Form_Unload()
{
    if (LinkHover) {
        m_capture->release();
    }
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
    const double width = pixelsToTwips(txtURL->width());
    const double height = pixelsToTwips(txtURL->height());
    if (X < 0 || Y < 0 || X > width || Y > height) {
        m_capture->release();
        LinkHover = false;
        setLinkColor(LinkBlue);
    } else if (!LinkHover) {
        LinkHover = true;
        m_capture->capture(txtURL);
        setLinkColor(LinkRed);
        txtURL->setCursor(Qt::ArrowCursor);
    }
}

void frmAbout::txtURL_Click()
{
    m_capture->release();
    LinkHover = false;
    setLinkColor(LinkBlue);
    m_opener->open(txtURL->text());
}

bool frmAbout::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == windowHandle() && event->type() == QEvent::Expose &&
        windowHandle()->isExposed()) {
        windowHandle()->removeEventFilter(this);
        recentre();
    }
    if (watched != txtURL) {
        return QDialog::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::Enter: {
        // Coming onto the link is a movement onto it, even when no move follows (Wayland
        // reports none).
        const QPointF at = static_cast<QEnterEvent *>(event)->position();
        txtURL_MouseMove(buttonState(QGuiApplication::mouseButtons()),
                         shiftState(QGuiApplication::keyboardModifiers()), pixelsToTwips(at.x()),
                         pixelsToTwips(at.y()));
        break;
    }
    case QEvent::MouseMove: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        txtURL_MouseMove(buttonState(mouse->buttons()), shiftState(mouse->modifiers()),
                         pixelsToTwips(mouse->position().x()),
                         pixelsToTwips(mouse->position().y()));
        break;
    }
    case QEvent::MouseButtonPress:
        m_linkPressed = static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton;
        break;
    case QEvent::MouseButtonRelease: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const bool click = m_linkPressed && mouse->button() == Qt::LeftButton &&
                           txtURL->rect().contains(mouse->position().toPoint());
        m_linkPressed = false;
        if (click) {
            txtURL_Click();
        }
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void frmAbout::setLinkColor(quint32 bgr)
{
    setTextColor(txtURL, QPalette::Text, bgr);
}

} // namespace tavlin
