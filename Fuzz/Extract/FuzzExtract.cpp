// The input bytes are the package. Besides the sanitizers' findings, a run fails when an
// extraction breaks its promises: a refusal that leaves the destination behind, a sentence
// that is empty or comes without the check that refused it, or a success whose files are not
// plain files inside the destination.

#include "Package/SafeZip.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace
{
	std::filesystem::path Scratch()
	{
		const std::filesystem::path Shm = "/dev/shm";
		const std::filesystem::path Base = std::filesystem::is_directory(Shm) ? Shm : std::filesystem::temp_directory_path();
		std::string Template = (Base / "kva-fuzz-XXXXXX").string();
		if (mkdtemp(Template.data()) == nullptr)
		{
			std::abort();
		}
		return Template;
	}

	void Require(bool bCondition)
	{
		if (!bCondition)
		{
			std::abort();
		}
	}
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
	static const std::filesystem::path Root = Scratch();
	const std::filesystem::path Package = Root / "package.zip";
	const std::filesystem::path Destination = Root / "out";
	{
		std::ofstream Out(Package, std::ios::binary | std::ios::trunc);
		Out.write(reinterpret_cast<const char*>(Data), static_cast<std::streamsize>(Size));
	}
	const std::atomic<bool> bCancel{false};
	std::vector<std::string> Models;
	std::string Error;
	KVASafe::FRefusal Refusal;
	const bool bOk = KVASafe::Extract(Package, Destination, bCancel, Models, Error, &Refusal);
	std::error_code Code;
	if (!bOk)
	{
		Require(!Error.empty() && Refusal.Check != KVASafe::ECheck::None);
		Require(!std::filesystem::exists(std::filesystem::symlink_status(Destination, Code)));
		return 0;
	}
	Require(Refusal.Check == KVASafe::ECheck::None && !Models.empty() && std::is_sorted(Models.begin(), Models.end()));
	const std::string Prefix = Destination.string() + "/";
	for (const auto& Item : std::filesystem::recursive_directory_iterator(Destination))
	{
		Require(Item.path().string().starts_with(Prefix));
		Require(Item.is_regular_file() || (Item.is_directory() && !Item.is_symlink()));
		Require(!Item.is_directory() || !std::filesystem::is_empty(Item.path()));
	}
	for (const std::string& Model : Models)
	{
		Require(std::filesystem::is_regular_file(Destination / Model));
	}
	std::filesystem::remove_all(Destination, Code);
	return 0;
}
