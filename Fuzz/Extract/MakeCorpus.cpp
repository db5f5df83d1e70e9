// Writes the fuzzer's seed corpus: small valid packages of every shape the extractor accepts
// and one of each kind of damage it refuses. Usage: fuzz-extract-corpus FOLDER

#include "PackageContent.h"
#include "ZipWriter.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>

using KVAZip::FBuilder;
using KVAZip::FLayout;

namespace
{
	FBuilder Base()
	{
		FBuilder Builder;
		Builder.Add("license.txt", "Licensed to the member.\n");
		Builder.Add("model.fbx", KVAZip::FbxLikeText(1500, 1), KVAZip::Deflated);
		return Builder;
	}

	FLayout Edit(const std::function<void(FLayout&)>& Change, FBuilder Builder = Base())
	{
		FLayout Layout = Builder.Layout();
		Change(Layout);
		return Layout;
	}

	FBuilder With(const std::function<void(FBuilder&)>& Change)
	{
		FBuilder Builder = Base();
		Change(Builder);
		return Builder;
	}
}

int main(int ArgumentCount, char** Arguments)
{
	if (ArgumentCount != 2)
	{
		std::cerr << "usage: fuzz-extract-corpus FOLDER\n";
		return 2;
	}
	const std::filesystem::path Folder = Arguments[1];
	std::filesystem::create_directories(Folder);

	const std::vector<std::pair<std::string, FLayout>> Seeds = {
		{"valid", Base().Layout()},
		{"valid-many", With([](FBuilder& B)
			{
				B.AddFolder("models");
				B.Add("models/chair.FBX", KVAZip::FbxLikeText(3000, 2), KVAZip::Deflated).bDescriptor = true;
				B.Add("textures/wood.png", KVAZip::RandomBytes(600, 3));
				B.Add("Caf\xc3\xa9.tga", "tga");
				B.Add("notes.blend", "blend", KVAZip::Deflated);
				B.Add("empty.json", "", KVAZip::Deflated);
				B.Comment = "comment";
			}).Layout()},
		{"descriptor", With([](FBuilder& B) { B.Members[1].bDescriptor = true; B.Members[1].ExtraFlags = 0x0800; }).Layout()},
		{"extras", With([](FBuilder& B) { B.Members[1].LocalExtra = "UT\x05\x00\x01\x00\x00\x00\x00"; B.Members[1].Comment.append("member comment"); }).Layout()},
		{"folder-deflated", With([](FBuilder& B) { KVAZip::FMember& F = B.AddFolder("f"); F.Method = KVAZip::Deflated; F.Payload = std::string("\x03\x00", 2); }).Layout()},
		{"traversal", With([](FBuilder& B) { B.Add("../evil.fbx", "x"); }).Layout()},
		{"backslash", With([](FBuilder& B) { B.Add("a\\b.fbx", "x"); }).Layout()},
		{"case-collision", With([](FBuilder& B) { B.Add("MODEL.fbx", "x"); }).Layout()},
		{"nfd-collision", With([](FBuilder& B) { B.Add("Caf\xc3\xa9.png", "x"); B.Add("Cafe\xcc\x81.png", "y"); }).Layout()},
		{"file-folder", With([](FBuilder& B) { B.Add("maps", "x"); B.Add("Maps/wood.png", "y"); }).Layout()},
		{"symlink", With([](FBuilder& B) { B.Members[1].ExternalAttributes = 0xA1FF0000; }).Layout()},
		{"encrypted", With([](FBuilder& B) { B.Members[1].ExtraFlags = 1; }).Layout()},
		{"no-licence", With([](FBuilder& B) { B.Members[0].Name = "licence.md"; }).Layout()},
		{"no-model", With([](FBuilder& B) { B.Members[1].Name = "model.obj"; }).Layout()},
		{"zip64", Edit([](FLayout& L) { L.BeforeEnd = std::string("PK\x06\x06", 4) + std::string(52, '\0') + std::string("PK\x06\x07", 4) + std::string(16, '\0'); })},
		{"fake-end", Edit([](FLayout& L) { L.End.Comment = L.Serialize().substr(L.Serialize().size() - 22); L.Place(); })},
		{"overlap", Edit([](FLayout& L) { L.Central[1].Offset = L.Central[0].Offset; })},
		{"local-mismatch", Edit([](FLayout& L) { L.Locals[1].Crc ^= 1; })},
		{"local-name", Edit([](FLayout& L) { L.Locals[1].Name = "Model.fbx"; })},
		{"crc", Edit([](FLayout& L) { L.Locals[0].Payload[0] ^= 1; })},
		{"expansion", Edit([](FLayout& L) { L.Locals[1].Uncompressed -= 1; L.Central[1].Uncompressed -= 1; })},
		{"trailing-deflate", With([](FBuilder& B) { B.Members[1].Payload = KVAZip::Deflate(B.Members[1].Data); B.Members[1].Payload->push_back('!'); }).Layout()},
		{"unfinished-deflate", With([](FBuilder& B) { B.Members[1].Payload = KVAZip::Deflate(B.Members[1].Data, 6, false); }).Layout()},
		{"ratio", Edit([](FLayout& L) { L.Central[0].Compressed = 0; L.Central[0].Uncompressed = 251; })},
		{"multi-disk", Edit([](FLayout& L) { L.End.Disk = 1; })},
		{"bounds", Edit([](FLayout& L) { L.Central[1].CommentLength = 9; })},
	};
	for (const auto& [Name, Layout] : Seeds)
	{
		const std::string Bytes = Layout.Serialize();
		std::ofstream(Folder / (Name + ".zip"), std::ios::binary).write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
	}
	return 0;
}
