#pragma once

#include "kernel/module1.h"
#include "platform/desktop.h"

#include <memory>
#include <typeindex>
#include <vector>

namespace oravians {

// The program's kernel: its shared variables and the form registry. A window
// is named by its type: `app.form<intro0>()` creates and loads it on first
// touch, `app.show<intro0>()` brings it up, `app.unload<intro0>()` (or the
// window's own `unload()`) takes it back to its design state. The registry
// needs no list of windows: each window class takes the App in its
// constructor and is registered the first time it is touched.
class App : public Desktop {
public:
    explicit App(Services services);
    ~App() override;

    Module1 module1;

    template <class T>
    T& form();
    // The window if loaded, without touching it.
    template <class T>
    T* peek() const;
    template <class T>
    bool loaded() const
    {
        return peek<T>() != nullptr;
    }
    using Desktop::show;
    template <class T>
    T& show()
    {
        T& w = form<T>();
        show(w);
        return w;
    }
    using Desktop::unload;
    template <class T>
    void unload()
    {
        if (T* w = peek<T>())
            unload(*w);
    }
    void unload(Window& w) override;

protected:
    // Windows above in reverse load order, the backdrop last.
    void unloadAll() override;

private:
    struct Form {
        std::type_index type;
        std::unique_ptr<Window> window;
    };
    Window* find(std::type_index type) const;

    std::vector<Form> forms_; // in load order
};

template <class T>
T& App::form()
{
    if (T* w = peek<T>())
        return *w;
    auto created = std::make_unique<T>(*this);
    T& w = *created;
    forms_.push_back({std::type_index(typeid(T)), std::move(created)});
    windowLoaded(&w);
    w.Form_Load();
    return w;
}

template <class T>
T* App::peek() const
{
    return static_cast<T*>(find(std::type_index(typeid(T))));
}

// The common window set-up every 12000 x 9000 window runs first in its load.
void setupform(Window& w);

// Plays a wave file through the backdrop's sound component while sounds are on.
void playsound(App& app, const QString& relativePath);

// The click every button of the program makes.
void clicksound(App& app);

// Loads a picture into an image or picture box. A missing or unreadable file
// leaves the control empty, is written once to the program's log and is
// returned as the fault (PictureFault::None when the picture loaded); the
// pupil is shown nothing.
PictureFault loadPicture(App& app, Control& control, const QString& relativePath);

// "Question" + " 3": a number written into a text the program's way.
QString numberText(int n);

} // namespace oravians
