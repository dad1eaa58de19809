// receiver-sim: simulated NVX-Ethernet receivers on loopback, for trying the
// program without hardware.

#include "simulator.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    nvxsim::ReceiverSimulator sim;
    return sim.start() ? app.exec() : 1;
}
