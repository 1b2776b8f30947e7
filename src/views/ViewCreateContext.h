#pragma once
// What a page needs when its window is created: the document its views attach to. The tab
// framework hands it to every frame and view it creates.
class CRecDoc;

struct SViewCreateContext
{
    CRecDoc* document = nullptr;
};
