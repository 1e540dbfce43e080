#include "frmmain.h"

frmmain::frmmain(QWidget* parent) : QWidget(parent) {
    setWindowTitle("SorvaniV1.5");
    resize(731, 502);
}
