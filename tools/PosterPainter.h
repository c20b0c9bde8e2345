#pragma once

#include "Catalogue.h"

#include <QImage>

namespace demodata {

// An advertising picture for the gallery: a featured dish with a headline.
struct Poster {
    QString fileName; // inside AdPicture
    QString headline;
    QString tagline;
    QString badge;
    QString dishName;
    Look look;
};

QList<Poster> demoPosters();
QImage posterImage(const Poster &poster, const QString &storeLine, const QSize &size);

// The home screen's background: warm, quiet, without text, so that buttons read well over it.
QImage homeBackground(const QSize &size);

} // namespace demodata
