#include "PackageSandbox.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "Package/SafeZip.h"

namespace
{
	std::filesystem::path MakeRoot()
	{
		std::string Template = (std::filesystem::temp_directory_path() / "kva-package-XXXXXX").string();
		if (mkdtemp(Template.data()) == nullptr)
		{
			throw std::runtime_error("mkdtemp failed");
		}
		return Template;
	}
}

FPackageSandbox::FPackageSandbox()
	: Root(MakeRoot()), Package(Root / "package.zip"), Destination(Root / "out")
{
}

FPackageSandbox::~FPackageSandbox()
{
	std::error_code Code;
	std::filesystem::remove_all(Root, Code);
}

void FPackageSandbox::Write(const std::string& Bytes, std::uint64_t SparseSize)
{
	{
		std::ofstream Out(Package, std::ios::binary | std::ios::trunc);
		Out.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
	}
	if (SparseSize > 0)
	{
		std::filesystem::resize_file(Package, SparseSize);
	}
}

FPackageSandbox::FResult FPackageSandbox::Extract(const std::atomic<bool>& bCancel)
{
	FResult Result;
	Result.bOk = KVASafe::Extract(Package, Destination, bCancel, Result.Models, Result.Error, &Result.Refusal);
	return Result;
}

FPackageSandbox::FResult FPackageSandbox::Extract()
{
	const std::atomic<bool> bCancel{false};
	return Extract(bCancel);
}

std::vector<std::string> FPackageSandbox::Listing() const
{
	std::vector<std::string> Paths;
	for (const auto& Item : std::filesystem::recursive_directory_iterator(Root))
	{
		std::string Relative = std::filesystem::relative(Item.path(), Root).string();
		Paths.push_back(Item.is_directory() && !Item.is_symlink() ? Relative + "/" : Relative);
	}
	std::sort(Paths.begin(), Paths.end());
	return Paths;
}

std::string FPackageSandbox::PackageBytes() const
{
	return ReadFile(Package);
}

std::string ReadFile(const std::filesystem::path& Path)
{
	std::ifstream In(Path, std::ios::binary);
	std::ostringstream Bytes;
	Bytes << In.rdbuf();
	return Bytes.str();
}

KVAZip::FBuilder BasePackage()
{
	KVAZip::FBuilder Builder;
	Builder.Add("license.txt", "Licensed to the member for use in their projects.\n");
	Builder.Add("model.fbx", KVAZip::FbxLikeText(4000, 1), KVAZip::Deflated);
	return Builder;
}
