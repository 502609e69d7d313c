#include "app/tag_details_form.h"

#include "app/tag_editor_registry.h"
#include "base/hex_dump.h"
#include "textures/jpeg_codec.h"

#include "framework/xg_text.h"

#include <QFontDatabase>
#include <QFormLayout>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

namespace zephane {

namespace {

constexpr tag_type kJpeg = fourcc("jpeg");

// A 'jpeg' payload as a picture: colour streams first, then grayscale ones.
QImage decode_picture(const Payload& payload, std::string& problem) {
    for (const int channels : {3, 1}) {
        JpegDecodeOptions options;
        options.channels = channels;
        options.target_width = 4096; // a huge stream decodes at a reduced scale
        const std::optional<PixelImage> image = jpeg_decompress(payload, options, &problem);
        if (!image) continue;
        const QImage::Format format = image->channels == 1 ? QImage::Format_Grayscale8 : QImage::Format_RGB888;
        return QImage(image->pixels.data(), image->width, image->height,
                      static_cast<qsizetype>(image->width) * image->channels, format)
            .copy(); // the pixels go away with `image`
    }
    return {};
}

} // namespace

TTagDetailsForm::TTagDetailsForm(TagDatabase& db, TagEntry& tag) : TagEditorWindow(kResource, db, tag) {
    auto* layout = new QVBoxLayout(this);
    auto* facts = new QFormLayout;
    facts->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    const char* labels[kFactCount] = {"Type:", "Id:", "Name:", "Version:", "Size:", "File:", "Copies:"};
    for (const char* label : labels) {
        auto* value = new QLabel(this);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        value->setWordWrap(true);
        facts->addRow(QString::fromLatin1(label), value);
        facts_.push_back(value);
    }
    layout->addLayout(facts);

    pages_ = new QTabWidget(this);
    picture_ = new QLabel;
    picture_->setAlignment(Qt::AlignCenter);
    picture_area_ = new QScrollArea(this);
    picture_area_->setWidget(picture_);
    picture_area_->setWidgetResizable(true);
    hex_ = new QPlainTextEdit;
    hex_->setReadOnly(true);
    hex_->setLineWrapMode(QPlainTextEdit::NoWrap);
    hex_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    if (TagDatabase::get_tag_type(tag) == kJpeg)
        pages_->addTab(picture_area_, QStringLiteral("Picture"));
    else
        picture_area_->hide();
    pages_->addTab(hex_, QStringLiteral("Bytes"));
    layout->addWidget(pages_, 1);
}

QLabel& TTagDetailsForm::fact(int row) const { return *facts_.at(static_cast<std::size_t>(row)); }

void TTagDetailsForm::reload() {
    TagDatabase& db = database();
    TagEntry& entry = tag();
    const tag_type type = TagDatabase::get_tag_type(entry);
    facts_[kFactType]->setText(QStringLiteral("%1 (%2)")
                                   .arg(QString::fromLatin1(tag_id_to_text(type)),
                                        QString::fromLatin1(tag_type_name(type))));
    facts_[kFactId]->setText(QString::fromLatin1(tag_id_to_text(entry.id)));
    facts_[kFactName]->setText(from_latin1(entry.name));
    facts_[kFactVersion]->setText(QString::number(entry.version));
    facts_[kFactSize]->setText(QStringLiteral("%1 bytes").arg(entry.size));
    const auto file_name = [this](const TagFile& file) {
        return host() ? host()->file_display_name(file) : TagDatabase::tag_file_display_name(file);
    };
    facts_[kFactFile]->setText(from_latin1(file_name(*entry.file)));

    const std::vector<TagEntry*> copies = db.find_all_tags(type, entry.id);
    if (copies.size() <= 1) {
        facts_[kFactCopies]->setText(QStringLiteral("This is the only loaded copy."));
    } else if (copies.front() == &entry) {
        facts_[kFactCopies]->setText(
            QStringLiteral("This copy wins over %1 other loaded %2.")
                .arg(copies.size() - 1)
                .arg(copies.size() == 2 ? QStringLiteral("copy") : QStringLiteral("copies")));
    } else {
        facts_[kFactCopies]->setText(QStringLiteral("The copy in %1 wins; this one is hidden.")
                                         .arg(from_latin1(file_name(*copies.front()->file))));
    }

    std::string failure;
    const Payload* payload = db.get_tag_data(entry, &failure);
    if (!payload) {
        hex_->setPlainText(QStringLiteral("The payload cannot be read: %1").arg(from_latin1(failure)));
        picture_->setText(QStringLiteral("No picture."));
        return;
    }
    hex_->setPlainText(QString::fromLatin1(hex_dump(*payload, kHexLimit)));
    if (type == kJpeg) {
        std::string problem;
        const QImage image = decode_picture(*payload, problem);
        if (image.isNull()) {
            picture_->setPixmap({});
            picture_->setText(QStringLiteral("The picture cannot be decoded: %1").arg(from_latin1(problem)));
        } else {
            picture_->setPixmap(QPixmap::fromImage(image));
            facts_[kFactSize]->setText(
                QStringLiteral("%1 bytes, %2 x %3 pixels").arg(entry.size).arg(image.width()).arg(image.height()));
        }
    }
}

void TTagDetailsForm::tagChanged(tag_type type, tag_id id) {
    // Another copy coming or going changes which one wins; this one's change, everything.
    if (type == TagDatabase::get_tag_type(tag()) && id == tag().id) reload();
}

void register_tag_details() {
    set_fallback_tag_editor(
        [](TagDatabase& db, TagEntry& tag) { return make_tag_editor<TTagDetailsForm>(db, tag); });
}

} // namespace zephane
