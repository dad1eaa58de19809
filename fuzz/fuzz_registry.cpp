// The configuration store file: reading any text, and writing what was read
// and reading it again gives back every key and value.

#include "fuzz_check.h"

#include "shell/registry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using nvx::RegistryStore;
    using nvx::RegRoot;
    const RegistryStore store = RegistryStore::parse(nvxfuzz::bytes(data, size));
    const QByteArray written = store.serialize();
    const RegistryStore again = RegistryStore::parse(written);
    FUZZ_CHECK(again == store);
    FUZZ_CHECK(again.serialize() == written);

    // The reads the program makes at start-up, and a walk over the keys.
    const QString programKey = nvx::ProgramKey;
    (void)store.value(RegRoot::LocalMachine, programKey, QStringLiteral("Pfad"));
    (void)store.value(RegRoot::CurrentUser, QStringLiteral("Control Panel\\International"), QStringLiteral("sDecimal"));
    for (RegRoot root : {RegRoot::LocalMachine, RegRoot::CurrentUser}) {
        QStringList pending{QString()};
        for (int visited = 0; !pending.isEmpty() && visited < 50; ++visited) {
            const QString key = pending.takeLast();
            FUZZ_CHECK(store.keyExists(root, key));
            for (const QString &sub : store.subkeys(root, key)) {
                // The reader keeps a lone CR inside a header line; the
                // program never asks for such a name.
                if (!sub.contains(QLatin1Char('\r')))
                    pending << (key.isEmpty() ? sub : key + QLatin1Char('\\') + sub);
            }
        }
    }
    return 0;
}
