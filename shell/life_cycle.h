#pragma once

#include <QList>

#include <array>
#include <functional>

namespace vm {

// The moments of a run that subsystems take part in. Many subsystems may
// listen to a moment (they run in the order they plugged in); the questions
// the main window asks have exactly one owner, and a second owner is a
// programming error.
class LifeCycle {
public:
    using Handler = std::function<void()>;

    enum Moment {
        starting,         // before the start-up window shows
        collectUserFonts, // the main window loads: fill the user font list
        mainWindowLoaded, // this copy runs: no other copy took over
        ready,            // the canvas has enabled the menus
        ending,           // the program is ending cleanly
        momentCount
    };
    enum Owned {
        closeQuestion,   // the main window's close box
        exitQuestion,    // the Exit menu item
        fillRecentFiles, // after every build of the menu bar
        ownedCount
    };

    void on(Moment moment, Handler handler) { listeners_[moment].append(std::move(handler)); }
    bool has(Moment moment) const { return !listeners_[moment].isEmpty(); }
    // Runs every listener of the moment; a failure goes on to the caller.
    void raise(Moment moment) const;

    // Throws std::logic_error when the question already has an owner.
    void own(Owned question, Handler handler);
    bool has(Owned question) const { return bool(owners_[question]); }
    // Runs the owner; false when there is none.
    bool ask(Owned question) const;

private:
    std::array<QList<Handler>, momentCount> listeners_;
    std::array<Handler, ownedCount> owners_;
};

} // namespace vm
