#pragma once

#include "PackageContent.h"
#include "ZipWriter.h"

#include "Package/SafeZip.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// A private folder holding one package and, after an extraction, its destination, so that a
// test can see everything an extraction left behind.
class FPackageSandbox
{
public:
	struct FResult
	{
		bool bOk = false;
		std::string Error;
		KVASafe::FRefusal Refusal;
		std::vector<std::string> Models;
	};

	FPackageSandbox();
	~FPackageSandbox();

	// Writes the package; SparseSize > 0 then extends it with a hole to that size.
	void Write(const std::string& Bytes, std::uint64_t SparseSize = 0);
	FResult Extract(const std::atomic<bool>& bCancel);
	FResult Extract();

	// Every path below the sandbox, relative, sorted; folders end in "/".
	std::vector<std::string> Listing() const;
	// The package's bytes as they are now on disk.
	std::string PackageBytes() const;

	const std::filesystem::path Root;
	const std::filesystem::path Package;
	const std::filesystem::path Destination;
};

// A small valid package: a licence and one deflated model.
KVAZip::FBuilder BasePackage();
std::string ReadFile(const std::filesystem::path& Path);
