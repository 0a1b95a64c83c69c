// What the studio's tests share.

#pragma once

#include <QFile>
#include <QImage>

inline QByteArray Read(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool Write(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The part of a dump that the figures decide; the rest tells about the host.
inline QByteArray SketchPart(const QByteArray& dump) { return dump.mid(dump.indexOf("\"clipboard\"")); }

// The corner tells pictures of one size apart.
inline bool SavePicture(const QString& path, QSize size, QRgb colour = qRgb(255, 255, 255), QRgb corner = 0) {
  QImage picture(size, QImage::Format_RGB32);
  picture.fill(colour);
  if (corner != 0) picture.setPixel(0, 0, corner);
  return picture.save(path);
}
