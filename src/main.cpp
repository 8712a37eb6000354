// The model is complete here: the factory hands its ownership over.
#include "app/TarnholdModel.h"
#include "ui/TarnholdMain.h"

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int index = 1; index < argc; ++index)
        arguments.append(QString::fromLocal8Bit(argv[index]));
    return runTarnhold(argc, argv, arguments, systemModel);
}
