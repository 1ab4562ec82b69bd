#pragma once

#include "canvas/logo/template_library.h"

#include <QFrame>
#include <functional>

class QLabel;
class QListView;
class QListWidget;
class QPushButton;

namespace vm {

class LogoRenderer;
class TemplateThumbnails;

// The template gallery filling the canvas: categories on the left, the
// designs of the chosen one as rendered thumbnails, Use and Cancel below.
// Arrow keys move through the designs, Enter or a double click uses one,
// Escape cancels, Tab moves between the categories and the designs.
class TemplateGallery : public QFrame {
public:
    TemplateGallery(const LogoRenderer& renderer, QWidget* parent = nullptr);

    void showLibrary(const TemplateLibrary& library);
    bool selectCategory(const QString& category);
    QString currentCategory() const;
    const LogoTemplate* currentTemplate() const;

    std::function<void(const LogoTemplate&)> onChosen;
    std::function<void()> onCancelled;

    QListWidget* categoryList() const { return categories_; }
    QListView* designView() const { return designs_; }
    TemplateThumbnails& thumbnails() const { return *thumbnails_; }
    QPushButton* useButton() const { return use_; }
    QPushButton* cancelButton() const { return cancel_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void categoryChanged();
    void useCurrent();

    const TemplateLibrary* library_ = nullptr;
    QListWidget* categories_;
    QListView* designs_;
    TemplateThumbnails* thumbnails_;
    QLabel* emptyHint_;
    QPushButton* use_;
    QPushButton* cancel_;
};

} // namespace vm
