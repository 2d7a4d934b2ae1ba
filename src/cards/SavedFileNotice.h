#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

class FileRevealer;

// The short message that confirms a file was written, naming the file and its folder, with a
// way to show it in the file manager. It stays until dismissed or replaced by the next save.
class SavedFileNotice : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Owned by what writes the file")
    Q_PROPERTY(bool shown READ isShown NOTIFY changed)
    Q_PROPERTY(QString message READ message NOTIFY changed)
    Q_PROPERTY(QString path READ path NOTIFY changed)

public:
    explicit SavedFileNotice(QObject *parent = nullptr);

    // Where "Show in Folder" goes; must outlive the notice. The system's file manager unless a
    // test says otherwise.
    void setRevealer(FileRevealer &revealer);

    // Confirms that `path` was written.
    void show(const QString &path);
    Q_INVOKABLE void dismiss();
    Q_INVOKABLE void showInFolder();

    bool isShown() const { return !m_path.isEmpty(); }
    QString path() const { return m_path; }
    // “Saved “Quillmoor-Journal.md” in Documents.”
    QString message() const;

signals:
    void changed();

private:
    QString m_path;
    FileRevealer *m_revealer = nullptr;
};
