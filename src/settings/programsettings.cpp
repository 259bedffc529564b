#include "settings/programsettings.h"

ProgramSettings::ProgramSettings(const QString& baseDir, const QString& loginName, QObject* parent)
    : QObject(parent), baseDir_(baseDir), folders_(makeOptdir(baseDir, loginName)) {}

void ProgramSettings::setDesignname(const QString& name) {
    if (name == designname_)
        return;
    designname_ = name;
    emit designChanged(name);
}

void ProgramSettings::setBrowserValg(int index) {
    const int valg = index < 0 ? -1 : index >= 1 ? 1 : 0;
    if (valg == browserValg_)
        return;
    browserValg_ = valg;
    emit browserValgChanged(valg);
}
