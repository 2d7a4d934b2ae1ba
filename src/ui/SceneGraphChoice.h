#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// Which renderer draws the windows. On a computer with no graphics device, OpenGL is emulated
// on the processor: loading that emulation and compiling its shaders holds the first frame back
// by about a quarter of a second, and every picture is kept twice. Qt Quick's own software
// renderer draws the same scene with QPainter at once. So without a graphics device the software
// renderer is chosen; with one, or when the user has named a renderer, Qt's choice stands.
namespace SceneGraphChoice {

// Whether to draw in software, given the environment and the graphics device nodes present
// (names such as "dri/renderD128" or "nvidia0", relative to /dev).
bool prefersSoftware(const QProcessEnvironment &environment, const QStringList &graphicsDevices);

// The graphics device nodes under `deviceFolder` (/dev on a real system).
QStringList graphicsDevices(const QString &deviceFolder = QStringLiteral("/dev"));

// Makes the choice for this process; called before the application object exists.
void apply();

} // namespace SceneGraphChoice
