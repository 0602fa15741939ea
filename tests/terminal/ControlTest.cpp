#include "platform/Error.h"
#include "platform/registry/ClassRegistry.h"
#include "platform/registry/SystemFolders.h"
#include "terminal/ControlLibrary.h"
#include "terminal/TSBXPC.h"
#include "tests/support/CaseName.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UserFolders.h"

#include <QDir>
#include <gtest/gtest.h>

namespace tavlo::test {
namespace {

QString binary(const QString& name)
{
    return QDir(UserFolders::binaryFolder()).filePath(name);
}

struct CreationCase {
    const char* name;
    // What the class id is registered with; empty: not registered.
    std::function<QString(const TempFolder&)> server;
    const char* message;  // part of the error's message
    friend void PrintTo(const CreationCase& c, std::ostream* os) { *os << c.name; }
};

class ControlCreation : public testing::TestWithParam<CreationCase> {};

TEST_P(ControlCreation, FailsWithAClearMessage)
{
    UserFolders user;
    TempFolder folder;
    folder.write("notes.ocx", "not a shared object");
    const QString server = GetParam().server(folder);
    if (!server.isEmpty()) {
        ASSERT_TRUE(ClassRegistry::forCurrentUser().registerClass(TSBXPC::kClassId, server.toStdString()));
    }
    try {
        TSBXPC cc;
        FAIL() << "created";
    } catch (const Error& e) {
        EXPECT_TRUE(e.message().contains(QString::fromUtf8(GetParam().message))) << e.message().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ControlCreation,
    testing::Values(
        CreationCase{"NotRegistered", [](const TempFolder&) { return QString(); },
                     "Class not registered: {2894E36D-6941-48E0-ABF9-0D38241884FB}"},
        CreationCase{"FileMissing", [](const TempFolder& f) { return f.file("sbxpc.ocx"); },
                     "sbxpc.ocx\" does not exist."},
        CreationCase{"FileDoesNotLoad", [](const TempFolder& f) { return f.file("notes.ocx"); },
                     "Cannot load the terminal control \""},
        CreationCase{"FileIsNoControl", [](const TempFolder&) { return binary("GEN_FONT.dll"); },
                     "GEN_FONT.dll\" is not a terminal control of interface version 1."}),
    tavlo::test::CaseName{});

TEST(Control, FindsItsClassWithoutRegardToCase)
{
    UserFolders user;
    ASSERT_TRUE(ClassRegistry::forCurrentUser().registerClass(
        "{2894e36d-6941-48e0-abf9-0d38241884fb}", binary("sbxpc.ocx").toStdString()));
    EXPECT_NO_THROW(TSBXPC());
}

class ControlInstance : public testing::Test {
protected:
    ControlInstance() { user_.registerControl(); }
    UserFolders user_;
};

TEST_F(ControlInstance, ClosingOrDroppingWithoutALinkIsHarmless)
{
    TSBXPC cc;
    cc.CloseLink();
    cc.CloseLink();
    cc.DropLink();
    qint32 v = 7;
    EXPECT_FALSE(cc.GetStatusValue(1, 8, v));
    EXPECT_FALSE(cc.BeginLogRead(1));
    EXPECT_EQ(v, 7);
}

TEST_F(ControlInstance, EachInstanceKeepsItsOwnReadMark)
{
    TSBXPC first;
    TSBXPC second;
    EXPECT_FALSE(first.ReadMark());
    first.SetReadMark(true);
    EXPECT_TRUE(first.ReadMark());
    EXPECT_FALSE(second.ReadMark());
    first.SetReadMark(false);
    EXPECT_FALSE(first.ReadMark());
}

TEST_F(ControlInstance, AnEnrolmentOfTheWrongSizeIsRefusedAsACall)
{
    TSBXPC cc;
    EnrolmentData shortData(353);
    EXPECT_THROW(cc.WriteEnrolment(1, 1, 1, 0, 0, shortData, 0), Error);
}

// The dispatch entry itself, as any host would call it.
class Dispatch : public testing::Test {
protected:
    Dispatch() : library_(binary("sbxpc.ocx")), instance_(library_.createInstance(SBXPC_CLASS_ID)) {}
    ~Dispatch() override { library_.destroyInstance(instance_); }

    static sbxpc_arg i4(int32_t v)
    {
        sbxpc_arg a{};
        a.tag = SBXPC_I4;
        a.v.i4 = v;
        return a;
    }
    int32_t call(int32_t dispid, std::vector<sbxpc_arg> args, int32_t kind = SBXPC_METHOD)
    {
        return library_.invoke(instance_, dispid, kind, args.data(), static_cast<int32_t>(args.size()),
                               &result_);
    }

    ControlLibrary library_;
    void* instance_;
    sbxpc_arg result_{};
};

TEST_F(Dispatch, ChecksEveryCallLikeADispatchInterface)
{
    ASSERT_NE(instance_, nullptr);
    EXPECT_EQ(library_.createInstance("{00000000-0000-0000-0000-000000000000}"), nullptr);

    EXPECT_EQ(call(SBXPC_BEGIN_LOG_READ, {i4(1)}), SBXPC_OK);
    EXPECT_EQ(result_.tag, SBXPC_BOOL);
    EXPECT_EQ(result_.v.boolean, 0) << "no link";
    EXPECT_EQ(call(SBXPC_BEGIN_LOG_READ, {}), SBXPC_E_PARAMCOUNT);
    EXPECT_EQ(call(SBXPC_BEGIN_LOG_READ, {i4(1), i4(2)}), SBXPC_E_PARAMCOUNT);
    EXPECT_EQ(call(SBXPC_GET_STATUS_VALUE, {i4(1), i4(8), i4(0)}), SBXPC_E_TYPE) << "not by reference";
    sbxpc_arg nullRef{};
    nullRef.tag = SBXPC_I4_REF;
    EXPECT_EQ(call(SBXPC_GET_STATUS_VALUE, {i4(1), i4(8), nullRef}), SBXPC_E_TYPE);
    EXPECT_EQ(call(SBXPC_OPEN_TCP_LINK, {i4(1), i4(0), i4(5005), i4(0)}), SBXPC_E_TYPE) << "address not text";
    EXPECT_EQ(call(1, {}, SBXPC_PROPERTY_GET), SBXPC_E_MEMBER) << "CommPort is not served";
    EXPECT_EQ(call(99, {}), SBXPC_E_MEMBER);
    EXPECT_EQ(call(SBXPC_CLEAR_LOGS, {i4(1)}, SBXPC_PROPERTY_GET), SBXPC_E_MEMBER);

    EXPECT_EQ(call(SBXPC_CLOSE_LINK, {}), SBXPC_OK);
    EXPECT_EQ(result_.tag, SBXPC_BOOL);
    EXPECT_EQ(result_.v.boolean, 0) << "no link was open, so nothing was acknowledged";
    EXPECT_EQ(call(SBXPC_DROP_LINK, {}), SBXPC_OK);
    EXPECT_EQ(result_.tag, SBXPC_EMPTY);
    EXPECT_EQ(call(SBXPC_CONFIRM_LOG_READ, {i4(1), i4(0)}), SBXPC_E_PARAMCOUNT);
    EXPECT_EQ(call(SBXPC_PROPERTY_LOG_READ_START, {}, SBXPC_PROPERTY_PUT), SBXPC_E_MEMBER);
    EXPECT_EQ(call(SBXPC_PROPERTY_LOG_READ_COUNT, {}, SBXPC_PROPERTY_GET), SBXPC_OK);
    EXPECT_EQ(result_.tag, SBXPC_I4);
    EXPECT_EQ(call(SBXPC_PROPERTY_READ_MARK, {i4(1)}, SBXPC_PROPERTY_PUT), SBXPC_OK);
    EXPECT_EQ(call(SBXPC_PROPERTY_READ_MARK, {}, SBXPC_PROPERTY_GET), SBXPC_OK);
    EXPECT_EQ(result_.v.boolean, -1);
    EXPECT_EQ(library_.invoke(nullptr, SBXPC_CLOSE_LINK, SBXPC_METHOD, nullptr, 0, &result_),
              SBXPC_E_INSTANCE);
}

}  // namespace
}  // namespace tavlo::test
