#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <typeindex>
#include <vector>

#include "forms/ColorNumber.h"
#include "forms/Dialogs.h"

class QMenu;
class QMenuBar;
class QPushButton;

namespace forms {

class Form;
class MenuItem;

// Keeps the single instance of every window. A window is created on first reference (hidden,
// its load handler run) and unloaded on request; the next reference creates a fresh one.
class FormRegistry {
public:
    FormRegistry() = default;
    FormRegistry(const FormRegistry&) = delete;
    FormRegistry& operator=(const FormRegistry&) = delete;
    ~FormRegistry();

    Form* find(std::type_index type) const;
    template <class T> bool isLoaded() const { return find(typeid(T)) != nullptr; }

    // Forgets the window at once and destroys it once control is back in the event loop, so a
    // window may unload itself from its own handler.
    void unload(Form* form);
    // Forgets and hides every window at once, destroying them with the registry: the program
    // ends, and a handler may still wait in a box or dialog on the stack below.
    void unloadAllAtEnd();
    // Destroys every window now.
    void unloadAll();

protected:
    void add(std::type_index type, Form* form);

private:
    std::vector<std::pair<std::type_index, Form*>> live_;  // in creation order
    std::vector<QPointer<Form>> unloading_;
};

// Everything a window needs from the program around it.
class Environment {
public:
    Environment(MessageBoxes& messages, FileDialogs& fileDialogs) : messages_(messages), fileDialogs_(fileDialogs) {}
    virtual ~Environment() = default;

    virtual FormRegistry& registry() = 0;
    MessageBoxes& messages() { return messages_; }
    FileDialogs& fileDialogs() { return fileDialogs_; }

    // Ends the program: every window closes at once, nothing is saved.
    void endProgram();

    // The one way into handlers: from the windows' own events (Form::run) and from outside them
    // (D-Bus, the command line, drops, a second start). The body runs to its end or to its first
    // failed call; a failure's reason, as a sentence for the user, goes to `failed` and never
    // reaches the event loop. True when the body ran to its end.
    static bool enter(const std::function<void()>& body, const std::function<void(const QString&)>& failed);
    // As enter(), for a way in that is not the person's own click (the desktop, the command
    // line, a drop, a timer, an engine's event, a read that finished): what the handlers tell
    // meanwhile, the failure included, is shown without waiting, so no event loop runs inside.
    bool enterFromOutside(const std::function<void()>& body, const std::function<void(const QString&)>& failed);
    // Tells the person something from a handler: in a handler of the person's own click the box
    // waits for OK, otherwise it does not (MessageBoxes::tell).
    void report(QWidget* owner, const QString& text, const QString& title = {});

    void setEndProgramAction(std::function<void()> action) { endAction_ = std::move(action); }

private:
    MessageBoxes& messages_;
    FileDialogs& fileDialogs_;
    std::function<void()> endAction_;
    int outside_ = 0;  // ways in from outside now running
};

template <class App>
class Forms : public FormRegistry {
public:
    explicit Forms(App& app) : app_(app) {}

    template <class T> T& get()
    {
        if (Form* f = find(typeid(T))) return *static_cast<T*>(f);
        auto* form = new T(app_);
        add(typeid(T), form);
        form->load();
        return *form;
    }

private:
    App& app_;
};

enum class Border {
    None,            // no title bar and no task-bar entry (a panel)
    FixedSingle,     // title bar, close and minimise buttons, not resizable
    FixedDialog,     // title bar, close button only, not resizable
    Sizable,         // resizable with minimise and maximise buttons
    SizableNoMinMax, // resizable, close button only
    FixedToolWindow,  // small title bar, close button, no task-bar button
    SizableToolWindow // as FixedToolWindow, resizable
};

// Base of every window. Controls live in client(); an optional menu bar sits above it and,
// as on the desktop the program was designed for, is not part of the client area.
class Form : public QWidget {
    Q_OBJECT
public:
    Form(Environment& env, const char* designName, Border border);
    ~Form() override;

    QWidget* client() const { return client_; }
    Environment& env() const { return env_; }

    void load();
    virtual void Form_Load() {}

    // Modeless show; an already visible window is brought forward.
    void Show();
    void Hide() { hide(); }
    void Unload();

    void setClientSizeTw(int widthTw, int heightTw);
    // Outer height (title bar, menu bar and borders included), in twips.
    int heightTw() const;
    void setHeightTw(int outerTwips);

    void setBackColor(ColorNumber n);
    // The background given at run time (see forms::applyBackColor).
    void applyBackColor(ColorNumber n);
    ColorNumber backColor() const;
    void setCaption(const QString& caption) { setWindowTitle(caption); }
    QString caption() const { return windowTitle(); }

    void setMenuBar(QMenuBar* bar);
    QMenuBar* menuBar() const { return menuBar_; }

    // Enter presses the default button, Esc the cancel button.
    void setDefaultButton(QPushButton* button);
    void setCancelButton(QPushButton* button);
    // The close box runs this button's handler instead of only unloading the window, so a
    // window that locked others, or holds choices others read, ends as that button ends it.
    void setCloseBoxButton(QPushButton* button) { closeBoxButton_ = button; }

    // Runs a handler body of the person's own click; a failure ends it and is reported in a
    // message box, leaving the window usable.
    void run(const std::function<void()>& body);
    // As run(), for a handler of anything else (an engine's event, a timer, a read that
    // finished, a name from outside): nothing it tells waits in a box.
    void runEvent(const std::function<void()>& body);

    // Runs the handler, as run() does, whenever the sender's signal comes (its arguments unread).
    template <class Sender, class Signal>
    void on(const Sender* sender, Signal signal, std::function<void()> handler)
    {
        connect(sender, signal, this, [this, handler] { run(handler); });
    }
    template <class Sender, class Signal, class Window>
    void on(const Sender* sender, Signal signal, void (Window::*handler)())
    {
        on(sender, signal, [this, handler] { (static_cast<Window*>(this)->*handler)(); });
    }
    // As on(), for a signal that is not the person's own click, run as runEvent() does.
    template <class Sender, class Signal, class Window>
    void onEvent(const Sender* sender, Signal signal, void (Window::*handler)())
    {
        connect(sender, signal, this, [this, handler] { runEvent([this, handler] { (static_cast<Window*>(this)->*handler)(); }); });
    }

protected:
    // Menus: a menu bar without the desktop's native bar, the drop-down menu under an item, an
    // item of this window added to a menu.
    QMenuBar* makeMenuBar();
    QMenu* addSubmenu(MenuItem* parent);
    MenuItem* addMenuItem(QMenu* menu, const char* name, const QString& caption);

    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Height taken by the frame and the menu bar, in pixels.
    int nonClientHeight() const;

private:
    void layoutChildren();

    Environment& env_;
    QWidget* client_;
    QMenuBar* menuBar_ = nullptr;
    QPushButton* closeBoxButton_ = nullptr;
    bool fixedSize_;
    QSize clientTw_;  // the client area's size as designed, in twips; empty until set
};

}  // namespace forms
