#include "shell/RecDocTemplate.h"

#include "platform/framework/StringTable.h"

#include <gtest/gtest.h>

TEST(RecDocTemplate, NamesTheDataFilesInItsSevenDocumentStringFields)
{
    CStringTable::Instance().LoadLanguage("ENG");
    const auto docTemplate = CreateRecDocTemplate();
    using T = CProjectDocTemplate;
    EXPECT_EQ(docTemplate->GetDocString(T::windowTitle), "");
    EXPECT_EQ(docTemplate->GetDocString(T::docName), "4626");
    EXPECT_EQ(docTemplate->GetDocString(T::fileNewName), "4626");
    EXPECT_EQ(docTemplate->GetDocString(T::filterName), "4626 Files (*.zlg)");
    EXPECT_EQ(docTemplate->GetDocString(T::filterExt), ".zlg");
    EXPECT_EQ(docTemplate->GetDocString(T::regFileTypeId), "4626.Document");
    EXPECT_EQ(docTemplate->GetDocString(T::regFileTypeName), "4626 Document");
    // A template without the resource has no fields.
    EXPECT_EQ(T({}, {}).GetDocString(T::filterExt), "");
}
