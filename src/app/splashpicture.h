#pragma once

#include <QImage>
#include <QString>

namespace kesp::app {

// The picture of the splash and About window: 306 x 458, transparent outside its
// rounded shape, carrying the program's name and the given version text.
QImage splashPicture(const QString &version);

} // namespace kesp::app
