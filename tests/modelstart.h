#pragma once

#include "store/model.h"

#include <QString>

// Starts model as the program does on the content folders web and programs (given without a
// trailing separator), with group current among the web addresses and programGroup remembered
// for the programs: the lists are read and the group loaded. Gives what reading the lists gave.
inline store::Result startModel(store::Model& model, const QString& web, const QString& programs,
                                const QString& group, const QString& programGroup = {}) {
    model.setFolders(web + u'/', programs + u'/');
    model.restore(group, group, programGroup, 0);
    store::Result result = model.setMappe();
    model.loadGruppefil();
    return result;
}
