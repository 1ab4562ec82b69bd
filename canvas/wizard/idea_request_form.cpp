#include "canvas/wizard/idea_request_form.h"

#include "canvas/look/editor_look.h"
#include "canvas/wizard/keyword_field.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

namespace {
QLabel* caption(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QStringLiteral("ideasCaption"));
    return label;
}

QString capitalised(const QString& word) { return word.left(1).toUpper() + word.mid(1); }
} // namespace

IdeaRequestForm::IdeaRequestForm(KeywordField* keywords, QWidget* parent)
    : QFrame(parent), name_(new QLineEdit(this)), tagline_(new QLineEdit(this)), keywords_(keywords),
      colour_(new QComboBox(this)), show_(new QPushButton(tr("Show ideas"), this))
{
    setObjectName(QStringLiteral("ideasForm"));
    keywords_->setParent(this);
    name_->setObjectName(QStringLiteral("ideasName"));
    name_->setPlaceholderText(tr("Your business name"));
    name_->setMaxLength(80);
    tagline_->setObjectName(QStringLiteral("ideasTagline"));
    tagline_->setPlaceholderText(tr("A short tagline (optional)"));
    tagline_->setMaxLength(120);
    keywords_->setObjectName(QStringLiteral("ideasKeywords"));
    keywords_->setPlaceholderText(tr("What you do: bakery, bread, coffee"));

    auto* moodGrid = new QGridLayout;
    moodGrid->setSpacing(6);
    const QStringList moods = ideas::moodNames();
    for (int index = 0; index < moods.size(); ++index) {
        auto* chip = new QPushButton(capitalised(moods[index]), this);
        chip->setObjectName(QStringLiteral("mood-") + moods[index]);
        chip->setProperty("mood", moods[index]);
        chip->setCheckable(true);
        chip->setAutoDefault(false);
        chip->setCursor(Qt::PointingHandCursor);
        editor_look::setLook(chip, "chip");
        moodGrid->addWidget(chip, index / 3, index % 3);
        moods_.append(chip);
    }

    colour_->setObjectName(QStringLiteral("ideasColours"));
    colour_->addItem(tr("Any colours"), QString());
    for (const QString& family : ideas::colourFamilies())
        colour_->addItem(capitalised(family), family);

    show_->setObjectName(QStringLiteral("ideasShow"));
    show_->setAutoDefault(false);
    editor_look::setLook(show_, "primary");

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(4);
    const auto field = [&](const QString& text, QWidget* widget) {
        layout->addWidget(caption(text, this));
        layout->addWidget(widget);
        layout->addSpacing(8);
    };
    field(tr("Name"), name_);
    field(tr("Tagline"), tagline_);
    field(tr("Keywords"), keywords_);
    layout->addWidget(caption(tr("Mood (pick any)"), this));
    layout->addLayout(moodGrid);
    layout->addSpacing(8);
    field(tr("Colours"), colour_);
    layout->addSpacing(6);
    layout->addWidget(show_);
    auto* hint = new QLabel(tr("Star the ideas you like; \"More like this\" tries other colours, fonts, layouts and "
                               "symbols of one. Everything stays editable after you choose."), this);
    hint->setWordWrap(true);
    editor_look::setLook(hint, "hint");
    layout->addSpacing(10);
    layout->addWidget(hint);
    layout->addStretch(1);

    for (QLineEdit* line : {name_, tagline_, static_cast<QLineEdit*>(keywords_)})
        connect(line, &QLineEdit::returnPressed, this, [this] { submit(); });
    connect(show_, &QPushButton::clicked, this, [this] { submit(); });
}

QPushButton* IdeaRequestForm::moodButton(const QString& mood) const
{
    for (QPushButton* chip : moods_)
        if (chip->property("mood").toString() == mood)
            return chip;
    return nullptr;
}

ideas::IdeaRequest IdeaRequestForm::request() const
{
    ideas::IdeaRequest request;
    request.name = name_->text().simplified();
    request.tagline = tagline_->text().simplified();
    request.keywords = keywords_->keywords();
    for (QPushButton* chip : moods_)
        if (chip->isChecked())
            request.moods.append(chip->property("mood").toString());
    request.colourFamily = colour_->currentData().toString();
    return request;
}

void IdeaRequestForm::fill(const QString& name, const QString& tagline, const QString& keywords, const QStringList& moods,
                           const QString& colourFamily)
{
    name_->setText(name);
    tagline_->setText(tagline);
    keywords_->setText(keywords);
    for (QPushButton* chip : moods_)
        chip->setChecked(moods.contains(chip->property("mood").toString()));
    colour_->setCurrentIndex(std::max(0, colour_->findData(colourFamily)));
}

void IdeaRequestForm::submit()
{
    if (name_->text().simplified().isEmpty()) {
        name_->setPlaceholderText(tr("Type your business name first"));
        name_->setFocus();
        return;
    }
    if (onSubmitted)
        onSubmitted();
}

} // namespace vm
