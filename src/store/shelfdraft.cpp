#include "store/shelfdraft.h"

#include "store/groups.h"
#include "store/model.h"

namespace store {

ShelfDraft::ShelfDraft(Model& model_, QObject* parent)
    : QObject(parent), model(model_), mode(model_.funkNo()) {
    reset();
    connect(&model, &Model::groupListsChanged, this, &ShelfDraft::follow);
    connect(&model, &Model::modeChanged, this, &ShelfDraft::follow);
}

void ShelfDraft::reset() {
    draft = {model.gruppeliste(), model.lagerliste(), false};
}

shelf::Lists ShelfDraft::apply(Move move, const QList<int>& activeRows,
                               const QList<int>& storedRows) {
    const shelf::Lists moved = move({draft.active, activeRows, draft.stored, storedRows});
    if (moved.active != draft.active || moved.stored != draft.stored) {
        draft.active = moved.active;
        draft.stored = moved.stored;
        draft.modified = true;
        emit changed();
    }
    return moved;
}

Result ShelfDraft::save() {
    Result result = model.saveShelf(draft.active, draft.stored);
    if (result.ok()) {
        reset();
        emit changed();
    }
    return result;
}

void ShelfDraft::follow() {
    if (model.funkNo() != mode) {
        mode = model.funkNo();
        std::swap(draft, other);
    }
    if (!draft.modified) {
        reset();
        emit changed();
        return;
    }
    const QStringList& gruppeliste = model.gruppeliste();
    const QStringList& lagerliste = model.lagerliste();
    auto inModel = [&](const QString& name) {
        return groupIndex(gruppeliste, name) >= 0 || groupIndex(lagerliste, name) >= 0;
    };
    // What the draft names that the model's lists no longer do, and the other way round.
    QStringList gone, added;
    for (const QStringList* list : {&draft.active, &draft.stored}) {
        for (const QString& name : *list) {
            if (!inModel(name) && !gone.contains(name))
                gone << name;
        }
    }
    for (const QStringList* list : {&gruppeliste, &lagerliste}) {
        for (const QString& name : *list) {
            if (groupIndex(draft.active, name) < 0 && groupIndex(draft.stored, name) < 0)
                added << name;
        }
    }
    if (gone.size() == 1 && added.size() == 1) {
        // One name went and one came: the group was renamed, and keeps its place in the draft.
        for (QStringList* list : {&draft.active, &draft.stored}) {
            for (QString& name : *list) {
                if (name == gone.first())
                    name = added.first();
            }
        }
    } else {
        // Taken out of the lists (its folder stays), it is gone from the draft too.
        for (const QString& name : gone) {
            draft.active.removeAll(name);
            draft.stored.removeAll(name);
        }
        // Made meanwhile, it goes where the model put it, after the draft's names.
        for (const QString& name : added) {
            (groupIndex(gruppeliste, name) >= 0 ? draft.active : draft.stored) << name;
        }
    }
    // A name the model spells in another letter case now is spelt as the model does.
    for (QStringList* list : {&draft.active, &draft.stored}) {
        for (QString& name : *list) {
            const qsizetype a = groupIndex(gruppeliste, name);
            if (a >= 0)
                name = gruppeliste[a];
            else if (const qsizetype s = groupIndex(lagerliste, name); s >= 0)
                name = lagerliste[s];
        }
    }
    emit changed();
}

} // namespace store
