#include "Platform/URL.h"

#include <utility>

namespace KVAPlatform
{
	namespace
	{
		bool IsAlpha(char C)
		{
			return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z');
		}

		bool IsDigit(char C)
		{
			return C >= '0' && C <= '9';
		}

		bool IsHex(char C)
		{
			return IsDigit(C) || (C >= 'a' && C <= 'f') || (C >= 'A' && C <= 'F');
		}

		bool IsUnreserved(char C)
		{
			return IsAlpha(C) || IsDigit(C) || C == '-' || C == '.' || C == '_' || C == '~';
		}

		bool IsSubDelim(char C)
		{
			switch (C)
			{
			case '!': case '$': case '&': case '\'': case '(': case ')':
			case '*': case '+': case ',': case ';': case '=':
				return true;
			default:
				return false;
			}
		}

		// True when every byte of Text is unreserved, a sub-delimiter, one of Extra, or part of
		// a well-formed "%XX" escape.
		bool IsEncodedRun(const std::string& Text, const char* Extra)
		{
			for (size_t Index = 0; Index < Text.size(); ++Index)
			{
				const char C = Text[Index];
				if (C == '%')
				{
					if (Index + 2 >= Text.size())
					{
						return false;
					}
					if (!IsHex(Text[Index + 1]) || !IsHex(Text[Index + 2]))
					{
						return false;
					}
					Index += 2;
					continue;
				}
				bool bExtra = false;
				for (const char* E = Extra; *E; ++E)
				{
					bExtra = bExtra || *E == C;
				}
				if (!IsUnreserved(C) && !IsSubDelim(C) && !bExtra)
				{
					return false;
				}
			}
			return true;
		}

		// An IP literal is only checked for its alphabet: no service host is one, so the
		// policy refuses it anyway; the point is that nothing outside the grammar slips through.
		bool IsIPLiteral(const std::string& Host)
		{
			if (Host.size() < 3 || Host.front() != '[' || Host.back() != ']')
			{
				return false;
			}
			for (size_t Index = 1; Index + 1 < Host.size(); ++Index)
			{
				const char C = Host[Index];
				if (!IsHex(C) && C != ':' && C != '.' && C != 'v' && C != 'V' && !IsUnreserved(C) && !IsSubDelim(C))
				{
					return false;
				}
			}
			return true;
		}

		int HexValue(char C)
		{
			return IsDigit(C) ? C - '0' : (C | 0x20) - 'a' + 10;
		}
	}

	std::optional<FURLParts> ParseURL(const std::string& Url)
	{
		FURLParts Parts;

		// scheme = ALPHA *( ALPHA / DIGIT / "+" / "-" / "." ), then ":"
		const size_t Colon = Url.find(':');
		if (Colon == std::string::npos || Colon == 0 || !IsAlpha(Url[0]))
		{
			return std::nullopt;
		}
		for (size_t Index = 1; Index < Colon; ++Index)
		{
			const char C = Url[Index];
			if (!IsAlpha(C) && !IsDigit(C) && C != '+' && C != '-' && C != '.')
			{
				return std::nullopt;
			}
		}
		Parts.Scheme = Url.substr(0, Colon);

		// The fragment is split off first, then the query: a "?" inside a fragment is the fragment's.
		std::string Rest = Url.substr(Colon + 1);
		for (const auto& [Delimiter, Component] : { std::pair { '#', &Parts.Fragment }, std::pair { '?', &Parts.Query } })
		{
			const size_t Found = Rest.find(Delimiter);
			if (Found == std::string::npos)
			{
				continue;
			}
			*Component = Rest.substr(Found + 1);
			Rest.resize(Found);
			if (!IsEncodedRun(**Component, ":@/?"))
			{
				return std::nullopt;
			}
		}

		if (Rest.rfind("//", 0) == 0)
		{
			const size_t PathStart = Rest.find('/', 2);
			std::string Authority = Rest.substr(2, PathStart == std::string::npos ? std::string::npos : PathStart - 2);
			Parts.Path = PathStart == std::string::npos ? std::string() : Rest.substr(PathStart);

			const size_t At = Authority.rfind('@');
			if (At != std::string::npos)
			{
				const std::string UserInfo = Authority.substr(0, At);
				Authority.erase(0, At + 1);
				if (!IsEncodedRun(UserInfo, ":"))
				{
					return std::nullopt;
				}
				const size_t UserColon = UserInfo.find(':');
				Parts.User = UserInfo.substr(0, UserColon);
				if (UserColon != std::string::npos)
				{
					Parts.Password = UserInfo.substr(UserColon + 1);
				}
			}

			// The port follows the last ":" outside an IP literal.
			const size_t PortColon = Authority.rfind(':');
			const size_t Bracket = Authority.rfind(']');
			if (PortColon != std::string::npos && (Bracket == std::string::npos || PortColon > Bracket))
			{
				const std::string PortText = Authority.substr(PortColon + 1);
				Authority.resize(PortColon);
				if (!PortText.empty())
				{
					int Port = 0;
					for (const char C : PortText)
					{
						if (!IsDigit(C))
						{
							return std::nullopt;
						}
						Port = Port * 10 + (C - '0');
						if (Port > 65535)
						{
							return std::nullopt;
						}
					}
					Parts.Port = Port;
				}
			}

			const bool bHostOk = (!Authority.empty() && Authority[0] == '[') ? IsIPLiteral(Authority) : IsEncodedRun(Authority, "");
			if (!bHostOk)
			{
				return std::nullopt;
			}
			Parts.Host = Authority;
		}
		else
		{
			Parts.Path = Rest;
		}

		if (!IsEncodedRun(Parts.Path, ":@/"))
		{
			return std::nullopt;
		}
		return Parts;
	}

	std::string PercentDecode(const std::string& Text)
	{
		std::string Out;
		Out.reserve(Text.size());
		for (size_t Index = 0; Index < Text.size(); ++Index)
		{
			if (Text[Index] == '%' && Index + 2 < Text.size() && IsHex(Text[Index + 1]) && IsHex(Text[Index + 2]))
			{
				Out.push_back(static_cast<char>(HexValue(Text[Index + 1]) * 16 + HexValue(Text[Index + 2])));
				Index += 2;
			}
			else
			{
				Out.push_back(Text[Index]);
			}
		}
		return Out;
	}
}
