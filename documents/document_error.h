#pragma once

#include <QString>
#include <stdexcept>

namespace sorvani::documents {

// A file that could not be read or written; the description is shown to the user as it is.
class DocumentError : public std::runtime_error {
  public:
    explicit DocumentError(const QString& description)
        : std::runtime_error(description.toStdString()), description_(description) {}

    const QString& description() const { return description_; }

  private:
    QString description_;
};

}  // namespace sorvani::documents
