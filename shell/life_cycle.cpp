#include "shell/life_cycle.h"

#include <stdexcept>

namespace vm {

void LifeCycle::raise(Moment moment) const
{
    // A copy: a listener may plug in another one while the moment runs.
    const QList<Handler> listeners = listeners_[moment];
    for (const Handler& listener : listeners)
        listener();
}

void LifeCycle::own(Owned question, Handler handler)
{
    if (owners_[question])
        throw std::logic_error("a question of the main window has one owner, and it has one already");
    owners_[question] = std::move(handler);
}

bool LifeCycle::ask(Owned question) const
{
    if (!owners_[question])
        return false;
    owners_[question]();
    return true;
}

} // namespace vm
