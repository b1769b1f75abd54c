#pragma once
#include <QtCore/QList>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtCore/QVariant>
#include <QtGui/QPainter>
#include <QtGui/QTextDocument>

#include <functional>
#include <kainjow/mustache.hpp>
#include <memory>
