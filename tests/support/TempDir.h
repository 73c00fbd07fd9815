#pragma once

#include "QtPrinters.h"

#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vardex::testing {

// A fresh temporary directory for one test, removed afterwards.
class TempDir
{
public:
    TempDir() { EXPECT_TRUE(m_dir.isValid()) << m_dir.errorString().toStdString(); }
    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};

// The whole content of a file; empty when it cannot be read.
inline QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace vardex::testing
