#pragma once
// Chinese reasons for a file the engine could not write or open (the PDF
// export and the prepared-report file), named from the file system's state
// and the device error rather than the toolkit's English texts.
#include <QFileDevice>
#include <QString>

namespace TfrFileErrors {

QString writeReason(const QString &fileName, QFileDevice::FileError error);
QString readReason(const QString &fileName, QFileDevice::FileError error);

} // namespace TfrFileErrors
