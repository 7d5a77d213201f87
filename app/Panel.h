#pragma once
#include <QFrame>

// A panel: a plain container that may show a caption in its middle.
class Panel : public QFrame {
    Q_OBJECT
public:
    explicit Panel(const QString &name, QWidget *parent = nullptr);

    QString caption() const { return caption_; }
    void setCaption(const QString &caption);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString caption_;
};
