#include "app/tag_drag.h"

#include "app/tree_view.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QIODevice>
#include <unordered_map>

namespace zephane {

namespace {

// Tells this program's drags from another's: the process and the moment it started.
quint64 program_token() {
    static const quint64 token = (static_cast<quint64>(QCoreApplication::applicationPid()) << 32) ^
                                 static_cast<quint64>(reinterpret_cast<quintptr>(&program_token));
    return token;
}

quint64 address_of(const void* pointer) {
    return static_cast<quint64>(reinterpret_cast<quintptr>(pointer));
}

} // namespace

std::unique_ptr<QMimeData> make_tag_drag_data(const std::vector<TagEntry*>& tags) {
    if (tags.empty()) return nullptr;
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << static_cast<quint32>(kTagRowFlavour) << program_token()
        << static_cast<quint32>(tags.size());
    for (const TagEntry* tag : tags)
        out << address_of(tag->file) << static_cast<quint32>(TagDatabase::get_tag_type(*tag))
            << static_cast<quint32>(tag->id) << address_of(tag);
    auto data = std::make_unique<QMimeData>();
    data->setData(QString::fromLatin1(kTagRowMimeType), bytes);
    return data;
}

bool has_tag_drag_data(const QMimeData& data) {
    return data.hasFormat(QString::fromLatin1(kTagRowMimeType));
}

std::vector<DraggedTag> read_tag_drag_data(const QMimeData& data, TagDatabase& db) {
    std::vector<DraggedTag> out;
    QDataStream in(data.data(QString::fromLatin1(kTagRowMimeType)));
    quint32 flavour = 0, count = 0;
    quint64 token = 0;
    in >> flavour >> token >> count;
    if (in.status() != QDataStream::Ok || flavour != kTagRowFlavour || token != program_token())
        return out;
    std::unordered_map<quint64, TagFile*> files;
    for (TagFile& file : db.files()) files.emplace(address_of(&file), &file);
    for (quint32 k = 0; k < count; ++k) {
        quint64 file_address = 0, tag_address = 0;
        quint32 type = 0, id = 0;
        in >> file_address >> type >> id >> tag_address;
        if (in.status() != QDataStream::Ok) break;
        const auto found = files.find(file_address);
        if (found == files.end()) continue;
        TagFile* file = found->second;
        TagEntry* tag = nullptr;
        if (TagGroup* group = db.find_tag_group(*file, type, false))
            for (TagEntry& entry : group->entries)
                if (entry.id == id && address_of(&entry) == tag_address) tag = &entry;
        if (!tag) tag = db.find_tag_in_file(*file, type, id);
        if (tag) out.push_back({file, type, id, tag});
    }
    return out;
}

} // namespace zephane
