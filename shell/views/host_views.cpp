#include "shell/views/host_views.h"

#include "shell/host.h"
#include "shell/views/main_window_view.h"
#include "shell/views/picture_view.h"
#include "shell/views/qt_form_presenter.h"
#include "shell/views/wait_view.h"

#include <QPointer>

namespace vm {

void registerHostViews(QtFormPresenter& presenter, Host& host, QWidget* canvasView)
{
    QPointer<QWidget> canvas(canvasView);
    presenter.registerView(host.mainForm.name(),
                           [&host, canvas](Form&, QWidget*) { return new MainWindowView(host, canvas.data()); });
    presenter.registerView(host.splashForm.name(), [](Form& form, QWidget* owner) {
        return new PictureView(form, owner, PictureView::Frame::None);
    });
    const auto framedPicture = [](Form& form, QWidget* owner) {
        return new PictureView(form, owner, PictureView::Frame::Window);
    };
    presenter.registerView(host.aboutForm.name(), framedPicture);
    presenter.registerView(host.copyrightForm.name(), framedPicture);
    presenter.registerView(host.waitForm.name(),
                           [](Form& form, QWidget* owner) { return new WaitView(form, owner); });
}

} // namespace vm
