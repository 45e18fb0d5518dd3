#include "forms/Form.h"

#include <QCloseEvent>
#include <QApplication>
#include <QCoreApplication>
#include <QFrame>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <exception>

#include "forms/Accessibility.h"
#include "forms/Controls.h"
#include "forms/Twips.h"

namespace forms {

FormRegistry::~FormRegistry() { unloadAll(); }

Form* FormRegistry::find(std::type_index type) const
{
    for (const auto& [t, f] : live_)
        if (t == type) return f;
    return nullptr;
}

void FormRegistry::add(std::type_index type, Form* form) { live_.emplace_back(type, form); }

void FormRegistry::unload(Form* form)
{
    for (auto it = live_.begin(); it != live_.end(); ++it) {
        if (it->second == form) {
            live_.erase(it);
            form->hide();
            unloading_.emplace_back(form);
            form->deleteLater();
            return;
        }
    }
}

void FormRegistry::unloadAllAtEnd()
{
    while (!live_.empty()) {
        Form* form = live_.back().second;
        live_.pop_back();
        form->hide();
        unloading_.emplace_back(form);
    }
}

void FormRegistry::unloadAll()
{
    while (!live_.empty()) {
        Form* form = live_.back().second;
        live_.pop_back();
        delete form;
    }
    for (const QPointer<Form>& f : unloading_) delete f.data();
    unloading_.clear();
}

QMenuBar* Form::makeMenuBar()
{
    auto* bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("menuBar"));
    bar->setAccessibleName(tr("Menu"));
    bar->setNativeMenuBar(false);
    return bar;
}

QMenu* Form::addSubmenu(MenuItem* parent)
{
    auto* menu = new QMenu(this);
    menu->setObjectName(parent->objectName() + QStringLiteral("Menu"));
    menu->setAccessibleName(spokenCaption(parent->text()));
    parent->setMenu(menu);
    return menu;
}

MenuItem* Form::addMenuItem(QMenu* menu, const char* name, const QString& caption)
{
    auto* it = new MenuItem(name, caption, this);
    menu->addAction(it);
    return it;
}

void Environment::endProgram()
{
    // The windows are not destroyed here: the end may come from a handler of one of them, or
    // from outside while a handler waits in a box, and that handler goes on once its box has
    // closed (ending the program ends every event loop, the boxes' too).
    messages_.closeTold();
    registry().unloadAllAtEnd();
    if (endAction_) endAction_();
}

namespace {

Qt::WindowFlags flagsFor(Border border)
{
    const Qt::WindowFlags custom = Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    switch (border) {
    case Border::None: return Qt::Tool | Qt::FramelessWindowHint;  // a panel: no title bar, no task-bar entry
    case Border::FixedSingle: return Qt::Window | custom | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
    case Border::FixedDialog: return Qt::Window | custom | Qt::WindowCloseButtonHint;
    case Border::Sizable: return Qt::Window;
    case Border::SizableNoMinMax: return Qt::Window | custom | Qt::WindowCloseButtonHint;
    case Border::FixedToolWindow:
    case Border::SizableToolWindow: return Qt::Tool | custom | Qt::WindowCloseButtonHint;
    }
    return Qt::Window;
}

}  // namespace

Form::Form(Environment& env, const char* designName, Border border)
    : QWidget(nullptr, flagsFor(border)),
      env_(env),
      client_(border == Border::None ? new QFrame(this) : new QWidget(this)),
      fixedSize_(border != Border::Sizable && border != Border::SizableNoMinMax && border != Border::SizableToolWindow)
{
    installAccessibility();
    setObjectName(QString::fromLatin1(designName));
    client_->setObjectName(QStringLiteral("client"));
    // A panel without a title bar still wears a raised dialog border.
    if (auto* frame = qobject_cast<QFrame*>(client_)) frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    setAttribute(Qt::WA_QuitOnClose, false);
}

Form::~Form() = default;

void Form::load()
{
    run([this] { Form_Load(); });
}

void Form::Show()
{
    show();
    raise();
    activateWindow();
}

void Form::Unload() { env_.registry().unload(this); }

void Form::setClientSizeTw(int widthTw, int heightTw)
{
    clientTw_ = QSize(widthTw, heightTw);
    const QSize size(toPixels(widthTw), toPixels(heightTw) + (menuBar_ ? menuBar_->sizeHint().height() : 0));
    if (fixedSize_) setFixedSize(size);
    else resize(size);
    layoutChildren();
}

int Form::nonClientHeight() const
{
    const int frame = frameGeometry().height() - geometry().height();
    return frame + (menuBar_ ? menuBar_->sizeHint().height() : 0);
}

int Form::heightTw() const { return static_cast<int>(toTwips(frameGeometry().height())); }

void Form::setHeightTw(int outerTwips)
{
    const int frame = frameGeometry().height() - geometry().height();
    const int inner = toPixels(outerTwips) - frame;
    if (fixedSize_) setFixedHeight(inner);
    else resize(width(), inner);
    layoutChildren();
}

void Form::setBackColor(ColorNumber n)
{
    forms::setBackColor(this, n);
    forms::setBackColor(client_, n);
}

void Form::applyBackColor(ColorNumber n)
{
    forms::applyBackColor(this, n);
    forms::applyBackColor(client_, n);
}

ColorNumber Form::backColor() const { return forms::backColor(this); }

void Form::setMenuBar(QMenuBar* bar)
{
    menuBar_ = bar;
    bar->setParent(this);
    // The menu bar keeps the desktop's menu colours whatever the window's background.
    bar->setPalette(QApplication::palette());
    bar->setAutoFillBackground(true);
    // The client area keeps its size below the bar.
    if (clientTw_.isValid()) setClientSizeTw(clientTw_.width(), clientTw_.height());
    else layoutChildren();
}

void Form::setDefaultButton(QPushButton* button)
{
    button->setDefault(true);
    auto* enter = new QShortcut(QKeySequence(Qt::Key_Return), this);
    connect(enter, &QShortcut::activated, button, [button] {
        if (button->isEnabled() && button->isVisible()) button->click();
    });
}

void Form::setCancelButton(QPushButton* button)
{
    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(esc, &QShortcut::activated, button, [button] {
        if (button->isEnabled() && button->isVisible()) button->click();
    });
}

bool Environment::enter(const std::function<void()>& body, const std::function<void(const QString&)>& failed)
{
    QString reason;
    try {
        body();
        return true;
    } catch (const std::exception& e) {
        reason = QString::fromUtf8(e.what());
    }
    // Reported outside the catch: the report may itself wait in a dialog.
    failed(reason);
    return false;
}

bool Environment::enterFromOutside(const std::function<void()>& body, const std::function<void(const QString&)>& failed)
{
    struct Counted {
        int& n;
        explicit Counted(int& count) : n(++count) {}
        ~Counted() { --n; }
    } outside(outside_);
    return enter(body, failed);
}

void Environment::report(QWidget* owner, const QString& text, const QString& title)
{
    if (outside_ > 0) messages_.tell(owner, text, title);
    else messages_.show(owner, text, title);
}

void Form::run(const std::function<void()>& body)
{
    Environment::enter(body, [this](const QString& reason) { env_.report(this, reason); });
}

void Form::runEvent(const std::function<void()>& body)
{
    env_.enterFromOutside(body, [this](const QString& reason) { env_.report(this, reason); });
}

void Form::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (closeBoxButton_) emit closeBoxButton_->clicked();  // also when the button is disabled
    else Unload();
}

void Form::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutChildren();
}

void Form::layoutChildren()
{
    const int menuH = menuBar_ ? menuBar_->sizeHint().height() : 0;
    if (menuBar_) menuBar_->setGeometry(0, 0, width(), menuH);
    client_->setGeometry(0, menuH, width(), height() - menuH);
}

}  // namespace forms
