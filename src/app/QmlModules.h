#pragma once

#include <QtQml/qqmlextensionplugin.h>

// Every QML module of the application is a static plugin; an executable that loads the main
// window includes this once to register them all.
Q_IMPORT_QML_PLUGIN(Quillmoor_StorePlugin)
Q_IMPORT_QML_PLUGIN(Quillmoor_CataloguePlugin)
Q_IMPORT_QML_PLUGIN(Quillmoor_EnginePlugin)
Q_IMPORT_QML_PLUGIN(Quillmoor_DesktopPlugin)
Q_IMPORT_QML_PLUGIN(Quillmoor_UiPlugin)
Q_IMPORT_QML_PLUGIN(Quillmoor_CardsPlugin)
Q_IMPORT_QML_PLUGIN(Quillmoor_StudyPlugin)
Q_IMPORT_QML_PLUGIN(Quillmoor_JournalPlugin)
Q_IMPORT_QML_PLUGIN(Quillmoor_DailyPlugin)
Q_IMPORT_QML_PLUGIN(Quillmoor_ReadingsPlugin)
Q_IMPORT_QML_PLUGIN(Quillmoor_SyncPlugin)
Q_IMPORT_QML_PLUGIN(Quillmoor_SearchPlugin)
Q_IMPORT_QML_PLUGIN(Quillmoor_AppPlugin)
