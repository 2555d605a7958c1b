// The frame around one user action. Every handler a control triggers runs
// inside it: a failure anywhere in the handler, or in a handler it calls or
// sets off through a signal, rises to the frame and is reported there once.
// Handlers therefore catch nothing themselves; a handler that must leave its
// page consistent after a failure prepares its result first and changes the
// page only once nothing can fail any more, or restores what it changed.
#pragma once

#include <QObject>
#include <functional>
#include <utility>

// Runs an action as one user action. At the outermost frame a failure is
// reported through the general error report and goes no further, and the
// result says whether the action finished; inside another frame the action
// simply runs and a failure rises to that frame.
bool VRamciAkce(const std::function<void()>& akce);

// Whether a frame is open (the current code runs on behalf of a user action).
bool VAkci() noexcept;

// Connects a signal to a handler of `prijemce` inside the frame:
//     PripojObsluhu(ui.Tefekty, &TListBox::Klik, this, &TStrankaTvorby::TefektyClick);
template <typename Odesilatel, typename Signal, typename Prijemce, typename... Argumenty>
QMetaObject::Connection PripojObsluhu(Odesilatel* odesilatel, Signal signal, Prijemce* prijemce,
                                      void (Prijemce::*obsluha)(Argumenty...))
{
    return QObject::connect(odesilatel, signal, prijemce, [prijemce, obsluha](Argumenty... argumenty) {
        VRamciAkce([&] { (prijemce->*obsluha)(argumenty...); });
    });
}

// Puts back, when the scope ends, what a handler changed only for the time
// of its work (a list hidden while it is refilled, a flag that mutes a
// reaction), so that a failure on the way leaves the page usable:
//     seznam->hide();
//     const TObnova ukazat([seznam] { seznam->show(); });
class TObnova {
public:
    explicit TObnova(std::function<void()> obnov) : obnov_(std::move(obnov)) {}
    ~TObnova();
    TObnova(const TObnova&) = delete;
    TObnova& operator=(const TObnova&) = delete;

private:
    std::function<void()> obnov_;
};
