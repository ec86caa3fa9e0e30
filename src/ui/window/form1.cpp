#include "window/form1.h"

#include "app/bundled_site.h"
#include "base/app_error.h"
#include "desktop/hidden_text_field.h"
#include "desktop/message_box.h"
#include "desktop/shell.h"
#include "grid/grid.h"
#include "result_view/result_grid_setup.h"
#include "window/clickable_label.h"
#include "window/download_wait.h"
#include "window/twips.h"

#include <QDropEvent>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>

#include <new>
#include <utility>

namespace vantrel {

namespace {

const QString kLinkCaption = QStringLiteral("点击进入:手机电影网站，精彩电影，欧美性感MV");

QFont songTi(qreal pointSize, bool bold, bool underline) {
    // Not on Linux by that name: fontconfig falls back to an installed CJK face.
    QFont font(QStringLiteral("宋体"));
    font.setPointSizeF(pointSize);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setUnderline(underline);
    return font;
}

QIcon loadWindowIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48}) {
        for (const int colours : {256, 16}) {
            icon.addFile(
                QStringLiteral(":/vantrel/icons/vantrel-%1-%2.png").arg(size).arg(colours));
        }
    }
    return icon;
}

// The light look the window was designed with, whatever the desktop's theme. The window fixes
// colours of its own (the grid's light backgrounds, the blue keyword and link), and a dark theme's
// light texts and dark boxes would meet them at less than 2:1. Every text here reads at 4.5:1 or
// better: black on the button face and on white, grey when disabled, white on the highlight.
// Message boxes and menus are windows of their own and follow the desktop.
QPalette designedPalette() {
    QPalette palette(QColor(240, 240, 240));  // the button face; black texts, white boxes
    const QColor greyText(100, 100, 100);
    for (const auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
        palette.setColor(QPalette::Disabled, role, greyText);
    }
    palette.setColor(QPalette::PlaceholderText, greyText);
    palette.setColor(QPalette::Highlight, QColor(0, 102, 204));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    return palette;
}

void setTextColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

}  // namespace

Form1::Form1(const Platform& platform, SiteConfig site, QWidget* parent)
    : QWidget(parent),
      platform_(platform),
      site_(std::move(site)),
      heldInput_(new HeldInput(this)) {
    createControls();
    setTabOrder();
    connectEvents();
    addConveniences();
    if (platform_.siteStarter) {
        platform_.siteStarter->startIfNeeded();  // before any search can be asked for
    }
    runEvent([this] { Form_Load(); });
    Text4->setFocus();
}

Form1::~Form1() = default;

void Form1::closeEvent(QCloseEvent* event) {
    if (platform_.siteStarter) {
        platform_.siteStarter->stop();
    }
    QWidget::closeEvent(event);
    closed_ = event->isAccepted();
}

void Form1::showEvent(QShowEvent* event) {
    closed_ = false;
    QWidget::showEvent(event);
}

void Form1::createControls() {
    const qreal dpi = logicalDpiX();
    const auto place = [dpi](QWidget* widget, int left, int top, int width, int height) {
        widget->setGeometry(twipsRect(left, top, width, height, dpi));
    };

    setWindowTitle(QStringLiteral("电影Vantrel工具"));
    setWindowIcon(loadWindowIcon());
    setPalette(designedPalette());
    setFixedSize(twipsToPixels(15240, dpi), twipsToPixels(10530, dpi));

    Frame3 = new QGroupBox(QStringLiteral("搜索结果"), this);
    place(Frame3, 240, 2040, 14775, 8295);
    Grid1 = new Grid(Frame3);
    place(Grid1, 240, 360, 14295, 7695);
    Text2 = new HiddenTextField(QStringLiteral("XML Scource"), Frame3);
    place(Text2, 360, 360, 9255, 2775);
    Text5 = new HiddenTextField(QString(), Frame3);
    place(Text5, 9720, 360, 4695, 2775);

    Frame2 = new QGroupBox(QStringLiteral("版本信息"), this);
    place(Frame2, 9960, 240, 5055, 1575);
    Label2 = new ClickableLabel(kLinkCaption, Frame2);
    place(Label2, 120, 1080, 4575, 375);
    Label2->setFont(songTi(10.5, false, true));
    Label2->setCursor(Qt::PointingHandCursor);
    setTextColour(Label2, QPalette::WindowText, QColor(0, 0, 255));
    Label3 =
        new QLabel(QStringLiteral("说明：本程序基于") + site_.host + QLatin1Char(' ') + site_.name +
                       QStringLiteral("，为节省Vantrel           时间，提高Vantrel效率而开发。"),
                   Frame2);
    place(Label3, 120, 480, 4695, 495);
    Label3->setWordWrap(true);
    Label1 = new QLabel(QStringLiteral("版本：V1.0.0bate"), Frame2);
    place(Label1, 120, 240, 1440, 180);

    Frame1 = new QGroupBox(QStringLiteral("Vantrel"), this);
    place(Frame1, 240, 240, 9615, 1575);
    Command2 = new QPushButton(QStringLiteral("下一页"), Frame1);
    place(Command2, 7920, 600, 1215, 495);
    Command3 = new QPushButton(QStringLiteral("上一页"), Frame1);
    place(Command3, 6720, 600, 1215, 495);
    goCmd = new QPushButton(QStringLiteral("查字幕(&Search)"), Frame1);
    place(goCmd, 4440, 590, 1575, 540);
    Text4 = new QLineEdit(Frame1);
    place(Text4, 360, 600, 3855, 525);
    Text4->setFont(songTi(14.25, true, false));
    setTextColour(Text4, QPalette::Text, QColor(0, 0, 255));

    Text3 = new HiddenTextField(QStringLiteral("clickURL"), this);
    place(Text3, 360, 480, 855, 375);
    Text1 = new HiddenTextField(QStringLiteral("SearchURL"), this);
    place(Text1, 1200, 480, 975, 375);

    for (QPushButton* button : {Command2, Command3, goCmd}) {
        button->setAutoDefault(false);  // Enter in the keyword box belongs to its key procedure
        button->setDefault(false);
        button->installEventFilter(this);  // Return and Enter press a focused button
    }
}

void Form1::setTabOrder() {
    // Only these take the focus; the frames, labels and hidden fields do not.
    QWidget::setTabOrder(Text4, goCmd);
    QWidget::setTabOrder(goCmd, Command3);
    QWidget::setTabOrder(Command3, Command2);
    QWidget::setTabOrder(Command2, Grid1);
}

// Connects a control's signal to an event procedure, run through the window's error path.
template <typename Sender, typename Signal, typename... Args>
void Form1::route(Sender* sender, Signal signal, void (Form1::*procedure)(Args...)) {
    connect(sender, signal, this,
            [this, procedure](Args... args) { runEvent([&] { (this->*procedure)(args...); }); });
}

void Form1::connectEvents() {
    route(goCmd, &QPushButton::clicked, &Form1::goCmd_Click);
    route(Command2, &QPushButton::clicked, &Form1::Command2_Click);
    route(Command3, &QPushButton::clicked, &Form1::Command3_Click);
    route(Label2, &ClickableLabel::clicked, &Form1::Label2_Click);
    route(Grid1, &Grid::rowActivated, &Form1::Grid1_RowActivate);
    Text4->installEventFilter(this);  // Text4_KeyPress sees each key before the box does
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    // Without being a default button, a focused push button takes Return and Enter as Space.
    auto* const button = qobject_cast<QPushButton*>(watched);
    if (button && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            modifiers == Qt::NoModifier) {
            if (!key->isAutoRepeat() && button->isEnabled()) {
                button->click();
            }
            return true;
        }
    }
    if (watched == Text4 && isVideoFileDrag(event)) {
        // A video file dropped on the keyword box searches for its film, as anywhere on the
        // window, rather than pasting its path.
        auto* const drag = static_cast<QDropEvent*>(event);
        if (event->type() == QEvent::Drop) {
            dropEvent(drag);
        } else {
            drag->acceptProposedAction();
        }
        return true;
    }
    if (watched == Text4 && event->type() == QEvent::KeyPress) {
        const QString typed = static_cast<QKeyEvent*>(event)->text();
        if (!typed.isEmpty()) {
            const char16_t code = typed.at(0).unicode();
            runEvent([this, code] { Text4_KeyPress(code); });
        }
        // The key goes on to the box whatever the procedure did.
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::runEvent(const std::function<void()>& procedure) {
    // A key can come after the close request that followed it: the accessibility bridge hands
    // keys back only once the screen reader has seen them. A closed window downloads nothing.
    if (closed_) {
        return;
    }
    if (procedureRunning_) {
        // Input cannot get here while a procedure runs (a download holds it back), but a timer
        // can, such as the delayed click of an access key. Its procedure runs after this one.
        waitingProcedures_.push_back(procedure);
        return;
    }
    const bool windowClosed = runToEnd(procedure);
    if (windowClosed) {
        waitingProcedures_.clear();
        heldInput_->discard();
        close();
        return;
    }
    // Only now, with the procedure's message box closed too, may the input given meanwhile come.
    heldInput_->handBack();
    while (!waitingProcedures_.empty()) {
        const std::function<void()> next = std::move(waitingProcedures_.front());
        waitingProcedures_.erase(waitingProcedures_.begin());
        runEvent(next);
    }
}

// Runs one procedure and reports its error; true when the user closed the window meanwhile.
bool Form1::runToEnd(const std::function<void()>& procedure) {
    const QScopedValueRollback<bool> running(procedureRunning_, true);
    int number = 0;
    QString description;
    try {
        procedure();
        return false;
    } catch (const WindowClosedDuringWait&) {
        return true;
    } catch (const AppError& error) {
        number = error.number();
        description = error.description();
    } catch (const std::bad_alloc&) {
        number = errors::OutOfMemory;
        description = QStringLiteral("内存不足");
    } catch (const std::exception& error) {
        number = errors::InternalError;
        description = QStringLiteral("内部错误：") + QString::fromLocal8Bit(error.what());
    }
    platform_.messages.show(this, windowTitle(),
                            QStringLiteral("运行时错误 '%1':\n\n%2").arg(number).arg(description));
    return false;
}

void Form1::Form_Load() {
    SetUpResultGrid(*Grid1);
    Label2->move(twipsToPixels(120, logicalDpiX()), twipsToPixels(1080, logicalDpiX()));
    Label2->setText(kLinkCaption);
    Label1->setText(QStringLiteral("版本：V1.0.0b - ") + site_.contact);
    Label1->adjustSize();
    PageNo = 1;
}

void Form1::Label2_Click() {
    platform_.shell.open(site_.promoUrl);
}

}  // namespace vantrel
