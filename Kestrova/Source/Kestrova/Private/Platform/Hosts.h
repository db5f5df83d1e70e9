#pragma once

// The five service hosts: the only place their names are written. Names are lower-case so
// that the URL policy can compare a lower-cased host with them directly.
namespace KVAPlatform::Hosts
{
	inline constexpr const char* Api = "api.kestrova.example";
	inline constexpr const char* Content = "content.kestrova.example";
	inline constexpr const char* Images = "images.kestrova.example";
	inline constexpr const char* Site = "kestrova.example";
	inline constexpr const char* WwwSite = "www.kestrova.example";

	// Preview images may come from these, in this order; never from the content host.
	inline constexpr const char* Preview[] = { Images, Site, WwwSite, Api };

	// Every host the service answers on (the transport's routing override covers these).
	inline constexpr const char* All[] = { Api, Content, Images, Site, WwwSite };
}
