#pragma once

#include "media/AviCodecs.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QSpinBox;

namespace zelvane {

// Chooses how the background video is compressed: the encoder (uncompressed first), its
// quality, how often a key frame comes and the data rate to aim at. Starts from the choice
// remembered in the settings and remembers the accepted one.
class CAviCodecDialog : public QDialog {
    Q_OBJECT
public:
    explicit CAviCodecDialog(QWidget* parent = nullptr);

    // The choice; valid after the dialog was accepted.
    AviWriterOptions options() const;

    QComboBox* codecList() const { return m_codecs; }
    QSpinBox* qualityBox() const { return m_quality; }
    QSpinBox* keyFrameBox() const { return m_keyFrames; }
    QSpinBox* dataRateBox() const { return m_dataRate; }

    void accept() override;

    // What the settings remember ("Workspace": AVICodec, AVIQuality, AVIKeyFrames,
    // AVIDataRate); an encoder this machine lacks falls back to uncompressed.
    static AviWriterOptions RememberedOptions();

private:
    void UpdateFields();

    std::vector<AviCodec> m_available;
    QComboBox* m_codecs;
    QSpinBox* m_quality;
    QSpinBox* m_keyFrames;
    QSpinBox* m_dataRate;
};

} // namespace zelvane
