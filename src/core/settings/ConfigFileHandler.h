#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>

// The settings that outlive a run, kept as one line in <data folder>/configfile.txt:
// "1.0",language,"drive","path",recordardir,mostrarImagen,listX,listY,#FALSE#,#TRUE#\r\n
class ConfigFileHandler
{
public:
    // Reads the file (writing the defaults when there is none). A malformed file is
    // reported through the error reporter, then the defaults stay in memory.
    explicit ConfigFileHandler(const QString &dataFolder = QString());

    // How a malformed file is reported; the main window routes it to a message box.
    // Tests replace it to record the text.
    using ErrorReporter = std::function<void(const QString &text)>;
    static void setErrorReporter(ErrorReporter reporter);

    // Writes the line through QSaveFile; returns false (and leaves any earlier file
    // whole) when it cannot.
    bool saveConfigFile();

    void setLanguage(qint16 aLanguage) { m_language = aLanguage; }
    void setDialogDrive(const QString &aDialogDrive) { m_dialogDrive = aDialogDrive; }
    void setDialogPath(const QString &aDialogPath) { m_dialogPath = aDialogPath; }
    void setRecordardir(qint16 aRecordardir) { m_recordardir = aRecordardir; }
    void setMostrarImagen(qint16 aMostrarImagen) { m_mostrarImagen = aMostrarImagen; }
    void setListX(qint16 aListX) { m_listX = aListX; }
    void setListY(qint16 aListY) { m_listY = aListY; }
    void setOptionDificil(bool aOptionDificil) { m_optionDificil = aOptionDificil; }
    void setPrimeraVezQueSeEjecuta(bool aPrimeraVezQueSeEjecuta) { m_primeraVez = aPrimeraVezQueSeEjecuta; }

    QString getDialogDrive() const { return m_dialogDrive; }
    QString getDialogPath() const { return m_dialogPath; }
    qint16 getLanguage() const { return m_language; }
    QString getFileVersion() const { return m_fileVersion; }
    qint16 getRecordardir() const { return m_recordardir; }
    qint16 getMostrarImagen() const { return m_mostrarImagen; }
    qint16 getListX() const { return m_listX; }
    qint16 getListY() const { return m_listY; }
    bool getOptionDificil() const { return m_optionDificil; }
    bool getPrimeraVezQueSeEjecuta() const { return m_primeraVez; }

    QString filePath() const;

    // The line saveConfigFile writes for the current values. A quote inside a text item
    // is doubled, so any folder name survives a save and a load.
    QByteArray configLine() const;
    // Takes the ten items of a line into the fields; throws RunTimeError and leaves every
    // field as it was when the line is malformed. The version is not judged here.
    void readConfigLine(const QByteArray &bytes);

private:
    void setDefaultValues();
    void loadconfigFile();

    QString m_dataFolder;
    QString m_fileVersion;
    qint16 m_language = 0;
    QString m_dialogDrive;
    QString m_dialogPath;
    qint16 m_recordardir = 1;
    qint16 m_mostrarImagen = 1;
    qint16 m_listX = 4;
    qint16 m_listY = 4;
    bool m_optionDificil = false;
    bool m_primeraVez = true;
};
