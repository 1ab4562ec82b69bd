#include "project/project_hand_over.h"

#include "shell/splash_form.h"

#include <QTimer>

namespace vm {

ProjectHandOver::ProjectHandOver(const ProjectSeams& host, Open open) : host_(host), open_(std::move(open))
{
    host_.lifeCycle.on(LifeCycle::mainWindowLoaded, [this] {
        host_.platform.windows.onData(host_.mainForm.window, [this](const QString& request) { return take(request); });
    });
    host_.lifeCycle.on(LifeCycle::ready, [this] { ready(); });
}

void ProjectHandOver::ready()
{
    // The canvas enables the menus again after each of its windows; only the first time counts.
    if (std::exchange(ready_, true))
        return;
    const QString project = std::exchange(host_.state.commandLineProject, QString());
    if (!project.isEmpty())
        waiting_.prepend(project);
    openWhenFree();
}

bool ProjectHandOver::take(const QString& request)
{
    if (!request.startsWith(SplashForm::openProjectRequest))
        return false;
    const QString path = request.mid(SplashForm::openProjectRequest.size());
    if (path.isEmpty())
        return false;
    // The copy that asks brings this window to the front itself.
    waiting_.append(path);
    if (ready_)
        openWhenFree();
    return true;
}

bool ProjectHandOver::busy() const
{
    const int openItem = host_.menuItems.FindItem(QStringLiteral("mnuOpenProject"));
    return host_.platform.forms.modalOpen() || openItem == 0 || !host_.menuItems.isReachable(openItem);
}

void ProjectHandOver::openWhenFree()
{
    if (scheduled_ || waiting_.isEmpty())
        return;
    scheduled_ = true;
    QTimer::singleShot(0, &context_, [this] {
        scheduled_ = false;
        if (waiting_.isEmpty())
            return;
        if (busy()) {
            scheduled_ = true;
            QTimer::singleShot(retryMilliseconds, &context_, [this] {
                scheduled_ = false;
                openWhenFree();
            });
            return;
        }
        open_(waiting_.takeFirst());
        openWhenFree();
    });
}

} // namespace vm
