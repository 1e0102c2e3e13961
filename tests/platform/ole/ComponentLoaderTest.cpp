#include "platform/ole/ComponentLoader.h"

#include "platform/ole/Control.h"
#include "platform/ole/LibraryExports.h"
#include "platform/ole/Registry.h"
#include "tests/support/TempWindowsDirectory.h"

#include <QDir>
#include <QFile>
#include <dlfcn.h>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

const ole::Clsid kButtonClsid = *ole::Clsid::fromString("{94737E71-55A9-45C7-8B33-BDB06CC4430A}");
const ole::Clsid kTestClsid = *ole::Clsid::fromString("{D8C91A04-8CCA-48B7-A8E4-DC99011833B3}");
const ole::Clsid kOtherClsid = *ole::Clsid::fromString("{01234567-89AB-CDEF-0123-456789ABCDEF}");

class ComponentLoaderTest : public ::testing::Test {
protected:
    void registerClassAt(const ole::Clsid &clsid, const std::string &path)
    {
        ole::ClassEntry entry;
        entry.clsid = clsid;
        entry.libraryPath = path;
        ASSERT_TRUE(ole::Registry::registerClass(entry));
    }

    TempWindowsDirectory m_windows;
};

TEST_F(ComponentLoaderTest, RegistersTheControlsFolderAndCreatesByClassId)
{
    ASSERT_EQ(ole::ComponentLoader::registerLibrariesIn(TARVIL_CONTROLS_DIR), ole::S_OK);
    ASSERT_EQ(ole::ComponentLoader::registerLibrariesIn(TARVIL_TEST_CONTROLS_DIR), ole::S_OK);

    const auto button = ole::Registry::findClass(kButtonClsid);
    ASSERT_TRUE(button);
    EXPECT_EQ(std::filesystem::path(button->libraryPath).filename(), "tvbutton.so");
    EXPECT_TRUE(std::filesystem::path(button->libraryPath).is_absolute());
    EXPECT_EQ(button->progId, "TVBUTTON.PushButtonCtrl.1");
    EXPECT_EQ(button->version, "1.0");
    EXPECT_EQ(button->miscStatus, 0x20191u);
    EXPECT_FALSE(button->insertable);
    EXPECT_EQ(ole::Registry::clsidFromProgId("tvbutton.pushbuttonctrl.1"), kButtonClsid);

    for (const auto &clsid : {kButtonClsid, kTestClsid}) {
        std::shared_ptr<ole::Control> control;
        EXPECT_EQ(ole::ComponentLoader::createInstance(clsid, control), ole::S_OK);
        EXPECT_TRUE(control);
    }
}

TEST_F(ComponentLoaderTest, CreatesTheClassesOfLoadedLibrariesWhenTheStoreCannotBeWritten)
{
    // A folder where the store's file should be refuses every write, to root as well.
    ASSERT_TRUE(QDir(m_windows.path()).mkdir(QStringLiteral("registry.ini")));
    EXPECT_TRUE(ole::failed(ole::ComponentLoader::registerLibrariesIn(TARVIL_CONTROLS_DIR)));
    ASSERT_FALSE(ole::Registry::findClass(kButtonClsid));

    std::shared_ptr<ole::Control> control;
    EXPECT_EQ(ole::ComponentLoader::createInstance(kButtonClsid, control), ole::S_OK);
    EXPECT_TRUE(control);
}

TEST_F(ComponentLoaderTest, ReportsEveryFailureAsAnError)
{
    ASSERT_EQ(ole::ComponentLoader::registerLibrariesIn(TARVIL_CONTROLS_DIR), ole::S_OK);
    ASSERT_EQ(ole::ComponentLoader::registerLibrariesIn(TARVIL_TEST_CONTROLS_DIR), ole::S_OK);
    std::shared_ptr<ole::Control> control;

    EXPECT_EQ(ole::ComponentLoader::createInstance(kOtherClsid, control), ole::REGDB_E_CLASSNOTREG);

    registerClassAt(kOtherClsid, m_windows.path().toStdString() + "/gone.so");
    EXPECT_EQ(ole::ComponentLoader::createInstance(kOtherClsid, control), ole::CO_E_DLLNOTFOUND);

    QFile notALibrary(m_windows.path() + QStringLiteral("/garbage.so"));
    ASSERT_TRUE(notALibrary.open(QIODevice::WriteOnly));
    notALibrary.write("not an ELF file");
    notALibrary.close();
    registerClassAt(kOtherClsid, notALibrary.fileName().toStdString());
    EXPECT_EQ(ole::ComponentLoader::createInstance(kOtherClsid, control), ole::CO_E_ERRORINDLL);

    // A real library without DllGetClassObject: the platform core itself.
    registerClassAt(kOtherClsid, ole::ComponentLoader::libraryPathOf(
                                     reinterpret_cast<const void *>(&ole::findMemberId)));
    EXPECT_EQ(ole::ComponentLoader::createInstance(kOtherClsid, control), ole::CO_E_ERRORINDLL);

    // A control library asked for a class it does not serve.
    registerClassAt(kOtherClsid, ole::Registry::findClass(kButtonClsid)->libraryPath);
    EXPECT_EQ(ole::ComponentLoader::createInstance(kOtherClsid, control),
              ole::CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_FALSE(control);
}

TEST_F(ComponentLoaderTest, OneBrokenLibraryDoesNotStopTheOthers)
{
    QDir folder(m_windows.path());
    ASSERT_TRUE(folder.mkdir(QStringLiteral("controls")));
    ASSERT_TRUE(folder.cd(QStringLiteral("controls")));
    QFile broken(folder.filePath(QStringLiteral("a-broken.so")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.close();
    ASSERT_TRUE(QFile::copy(QStringLiteral(TARVIL_TEST_CONTROLS_DIR "/tvtestctl.so"),
                            folder.filePath(QStringLiteral("b-tvtestctl.so"))));

    EXPECT_EQ(ole::ComponentLoader::registerLibrariesIn(folder.path().toStdString()),
              ole::CO_E_ERRORINDLL);
    const auto entry = ole::Registry::findClass(kTestClsid);
    ASSERT_TRUE(entry);
    EXPECT_EQ(std::filesystem::path(entry->libraryPath).filename(), "b-tvtestctl.so");
    EXPECT_EQ(ole::ComponentLoader::registerLibrariesIn(m_windows.path().toStdString() + "/none"),
              ole::CO_E_DLLNOTFOUND);
}

TEST_F(ComponentLoaderTest, LibraryCanUnloadOnlyWhenNoInstanceLives)
{
    ASSERT_EQ(ole::ComponentLoader::registerLibrariesIn(TARVIL_CONTROLS_DIR), ole::S_OK);
    ASSERT_EQ(ole::ComponentLoader::registerLibrariesIn(TARVIL_TEST_CONTROLS_DIR), ole::S_OK);
    std::shared_ptr<ole::Control> control;
    ASSERT_EQ(ole::ComponentLoader::createInstance(kTestClsid, control), ole::S_OK);

    void *library =
        dlopen(ole::Registry::findClass(kTestClsid)->libraryPath.c_str(), RTLD_NOW | RTLD_NOLOAD);
    ASSERT_TRUE(library);
    const auto canUnloadNow =
        reinterpret_cast<ole::DllCanUnloadNowFn>(dlsym(library, "DllCanUnloadNow"));
    const auto unregisterServer =
        reinterpret_cast<ole::DllUnregisterServerFn>(dlsym(library, "DllUnregisterServer"));
    ASSERT_TRUE(canUnloadNow && unregisterServer);
    EXPECT_EQ(canUnloadNow(), ole::S_FALSE);
    control.reset();
    EXPECT_EQ(canUnloadNow(), ole::S_OK);

    EXPECT_EQ(unregisterServer(), ole::S_OK);
    EXPECT_FALSE(ole::Registry::findClass(kTestClsid));
    EXPECT_FALSE(ole::Registry::clsidFromProgId("TVTEST.TestCtrl.1"));
    dlclose(library); // drops only the reference RTLD_NOLOAD took
}

TEST_F(ComponentLoaderTest, RegistryKeepsTypeLibraries)
{
    const ole::TypeLibEntry typeLib{kOtherClsid, "1.0", "/opt/lib/x.so", "/opt/lib"};
    ASSERT_TRUE(ole::Registry::registerTypeLib(typeLib));
    const auto found = ole::Registry::findTypeLib(kOtherClsid);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->version, "1.0");
    EXPECT_EQ(found->path, "/opt/lib/x.so");
    EXPECT_EQ(found->helpDirectory, "/opt/lib");
    ASSERT_TRUE(ole::Registry::unregisterTypeLib(kOtherClsid));
    EXPECT_FALSE(ole::Registry::findTypeLib(kOtherClsid));
}

} // namespace
